# Warning, sanitizer and character-set settings shared by every target.

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Wold-style-cast -Wcast-align -Woverloaded-virtual
                    -Wimplicit-fallthrough -Wno-missing-field-initializers)
if(LORVANE_WERROR)
  add_compile_options(-Werror)
endif()

if(LORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

# The core works on CP932 bytes: its UTF-8 sources are compiled so that every string
# literal becomes CP932. Front ends (cli, ui, app) stay plain UTF-8.
function(lorvane_use_cp932 target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP932)
endfunction()
