// Kind 0: directories the user named (the directory list dialog). Found when the list
// is not empty; each directory is a folder, optionally with its sub-directories as
// folders below it (sorted by upper-cased name); every file is a message, except files
// whose extension marks them as programs, pictures, archives and the like.
// Tested by tests/mail/mailers/directory_test.cpp.

#include "common/mbstring.h"
#include "common/windows_path.h"
#include "mail/mailers/mailer_procedures.h"
#include "mail/mailers/mailer_support.h"
#include "persist/directory_list.h"

namespace lorvane {

using namespace mailers;

namespace {

constexpr std::string_view kSkippedExtensions =
    ".386.AI.AIF.AIFC.AIFF.ANI.ARC.ARJ.AU.AWD.AWD.BFC.BIN.BMP.CAB.CLS.COM.CPL.CUR.DCX.DCX.DCU."
    "DIB.DIC.DIF.DLL.DOT.DRV.ERR.EXE.FMT.FND.FON.FRM.FRX.GID.GIF.GRA.GRA.GRP.GZ.HH.HLP.HPJ.HT."
    "ICC.ICM.ICO.IDF.IME.INF.ISH.JFIF.JPE.JPEG.JPG.KBD.LZH.MAG.MCC.MDB.MOD.MPG.NLS.OBT.OBZ.OCA."
    "OCX.ODB.OFN.OLB.OPX.PCX.PIC.POT.PPS.PPT.PRT.PS.PWZ.RA.RAM.REG.RPT.RTF.SAP.SC2.SCD.SCH.SCR."
    "SHB.SHS.SLK.SND.SWP.SYS.TAR.TAZ.TGZ.TIF.TMP.TTC.TTF.TXS.URL.VBP.VBX.VBZ.VUE.VXD.WBK.WIZ."
    "WLL.WMF.XBM.XLA.XLB.XLC.XLD.XLK.XLL.XLM.XLS.XLT.XLV.XLW.Z.ZIP.";

// Sub-directories, sorted, as folders below `top`, depth first. An explicit stack and a
// depth limit: a directory link pointing back up must not recurse for ever.
void ScanDirectory(TMailStores& stores, TFolder& top, const std::string& top_dir) {
  struct Work {
    TFolder* parent;
    std::string dir;
    int depth;
  };
  std::vector<Work> stack = {{&top, top_dir, 0}};
  while (!stack.empty()) {
    const Work w = stack.back();
    stack.pop_back();
    if (w.depth >= kMaxFolderDepth) continue;
    std::vector<std::string> names = SubDirectories(stores.Fs(), w.dir + "*.*");
    SortByUpperName(names);
    std::vector<Work> children;
    for (const auto& name : names) {
      const std::string dir = w.dir + name + "\\";
      TFolder* node = w.parent->AddChild(ntFolder, kMailFolderImage, name, name, dir, true);
      children.push_back({node, dir, w.depth + 1});
    }
    // Pushed in reverse so the first child's subtree is built before the second child's.
    // The nodes themselves were added in order above, so display order is kept.
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
}

}  // namespace

void DetectDirectory(TDetection&) {
  // Decided by the number of directories in the settings, before any procedure runs.
}

void DiscoverDirectory(TMailStores& stores, TFolder& node) {
  const TDirectoryList list = TDirectoryList::Load(stores.Ini());
  for (int i = 0; i < list.Count(); ++i) {
    const TDirectoryLine& line = list.Lines()[static_cast<size_t>(i)];
    TFolder* folder = node.AddChild(ntFolder, kMailFolderImage, MBCopy(line.path, 1, MBLength(line.path) - 1),
                                    "Dir" + Num(i + 1), line.path, true);
    if (line.recursive) ScanDirectory(stores, *folder, line.path);
  }
}

void EnumerateDirectory(TMailStores& stores, TFolder& folder) {
  const std::string& dir = folder.DataPath();
  for (const auto& name : Files(stores.Fs(), dir + "*.*")) {
    const std::string ext = UpperAscii(ExtractFileExt(name));
    if (!ext.empty() && kSkippedExtensions.find(ext + ".") != std::string_view::npos) continue;
    folder.AddMail({dir + name, 0, -1});
  }
}

}  // namespace lorvane
