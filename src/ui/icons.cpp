// Tree images painted on a 16 x 16 grid and rendered at 1x, 2x and 3x, so that HiDPI
// screens get sharp pixels instead of scaled bitmaps.

#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>
#include <functional>

namespace lorvane::ui {

namespace {

using Painter = std::function<void(QPainter&)>;

QIcon Render(const Painter& paint) {
  QIcon icon;
  for (int scale : {1, 2, 3}) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    paint(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

void Tick(QPainter& p, const QColor& colour) {
  QPen pen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  QPainterPath path;
  path.moveTo(4.5, 8.0);
  path.lineTo(7.0, 10.8);
  path.lineTo(11.8, 4.8);
  p.drawPath(path);
}

void Box(QPainter& p, const QColor& fill, const QColor& frame, bool hatched) {
  const QRectF r(2.5, 2.5, 11, 11);
  p.setPen(QPen(frame, 1.0));
  p.setBrush(fill);
  p.drawRect(r);
  if (hatched) {
    p.save();
    p.setClipRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(QColor(168, 168, 168), 1.0));
    for (int x = -10; x < 16; x += 3) p.drawLine(QPointF(x, 16), QPointF(x + 16, 0));
    p.restore();
  }
}

void StatePainter(int state, QPainter& p) {
  const QColor frame(64, 64, 64);
  switch (state) {
    case 1:
      Box(p, Qt::white, frame, false);
      break;
    case 2:
      Box(p, Qt::white, frame, false);
      Tick(p, Qt::black);
      break;
    case 3:
      Box(p, QColor(0, 224, 224), frame, false);
      break;
    case 4:
      Box(p, QColor(0, 224, 224), frame, false);
      Tick(p, Qt::black);
      break;
    case 5:
      Box(p, QColor(232, 232, 232), QColor(128, 128, 128), true);
      break;
    case 6:
      Box(p, QColor(232, 232, 232), QColor(128, 128, 128), true);
      Tick(p, QColor(112, 112, 112));
      break;
    default:
      break;
  }
}

void Folder(QPainter& p, const QColor& body, const QColor& edge) {
  QPainterPath back;
  back.moveTo(1.5, 4.0);
  back.lineTo(1.5, 13.5);
  back.lineTo(14.5, 13.5);
  back.lineTo(14.5, 5.0);
  back.lineTo(7.5, 5.0);
  back.lineTo(6.0, 3.0);
  back.lineTo(2.5, 3.0);
  back.closeSubpath();
  p.setPen(QPen(edge, 1.0));
  p.setBrush(body.darker(115));
  p.drawPath(back);
  p.setBrush(body);
  p.drawRect(QRectF(1.5, 6.5, 13, 7));
}

// Mail programs: a badge in the program's colour with its initial.
struct TBadge {
  QColor colour;
  const char16_t* letter;
};

const std::array<TBadge, 17>& Badges() {
  static const std::array<TBadge, 17> badges = {{
      {QColor(196, 150, 0), u"A"},     // akira32Gold
      {QColor(0, 120, 200), u"L"},     // AL-Mail
      {QColor(0, 70, 150), u"L"},      // AL-Mail32
      {QColor(220, 60, 40), u"B"},     // Becky!
      {QColor(150, 30, 30), u"B"},     // Becky!2
      {QColor(60, 150, 60), u"D"},     // Datula
      {QColor(120, 60, 170), u"E"},    // EdMax
      {QColor(200, 90, 0), u"E"},      // EUDORA
      {QColor(0, 140, 140), u"H"},     // HyperMailer
      {QColor(90, 90, 180), u"K"},     // Kenm3
      {QColor(170, 40, 120), u"M"},    // MessageManager
      {QColor(40, 100, 40), u"M"},     // Messenger
      {QColor(200, 40, 90), u"S"},     // sesna
      {QColor(70, 70, 70), u"T"},      // tsworks
      {QColor(20, 110, 170), u"W"},    // WeMail32
      {QColor(150, 110, 50), u"W"},    // Winbiff
      {QColor(180, 30, 60), u"\u96FB"},  // 電信八号
  }};
  return badges;
}

void BadgePainter(const TBadge& badge, QPainter& p) {
  p.setPen(QPen(badge.colour.darker(140), 1.0));
  p.setBrush(badge.colour);
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
  QFont font = p.font();
  font.setPixelSize(badge.letter[0] < 0x80 ? 11 : 10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(1.5, 1.0, 13, 14), Qt::AlignCenter, QString::fromUtf16(badge.letter));
}

}  // namespace

QIcon StateIcon(int state) {
  static const std::array<QIcon, kStateIcons> icons = [] {
    std::array<QIcon, kStateIcons> all;
    for (int s = 0; s < kStateIcons; ++s) all[static_cast<size_t>(s)] = Render([s](QPainter& p) { StatePainter(s, p); });
    return all;
  }();
  return state >= 0 && state < kStateIcons ? icons[static_cast<size_t>(state)] : QIcon();
}

QIcon NodeIcon(int index) {
  static const std::array<QIcon, kNodeIcons> icons = [] {
    std::array<QIcon, kNodeIcons> all;
    all[1] = Render([](QPainter& p) { Folder(p, QColor(250, 210, 80), QColor(150, 110, 20)); });
    all[2] = Render([](QPainter& p) { Folder(p, QColor(200, 200, 200), QColor(110, 110, 110)); });
    for (size_t k = 0; k < Badges().size(); ++k) {
      all[k + 3] = Render([&badge = Badges()[k]](QPainter& p) { BadgePainter(badge, p); });
    }
    return all;
  }();
  return index > 0 && index < kNodeIcons ? icons[static_cast<size_t>(index)] : QIcon();
}

QIcon ProgramIcon() {
  static const QIcon icon = [] {
    QIcon result;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
      QPixmap pixmap(size, size);
      pixmap.fill(Qt::transparent);
      QPainter p(&pixmap);
      p.setRenderHint(QPainter::Antialiasing);
      p.scale(size / 64.0, size / 64.0);
      // An envelope under a magnifying glass.
      p.setPen(QPen(QColor(40, 70, 120), 2.5));
      p.setBrush(QColor(245, 248, 255));
      p.drawRoundedRect(QRectF(4, 14, 44, 32), 3, 3);
      p.drawLine(QPointF(5, 16), QPointF(26, 32));
      p.drawLine(QPointF(47, 16), QPointF(26, 32));
      p.setPen(QPen(QColor(180, 40, 30), 6, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(50, 50), QPointF(60, 60));
      p.setPen(QPen(QColor(60, 60, 60), 4));
      p.setBrush(QColor(170, 220, 255, 200));
      p.drawEllipse(QPointF(42, 42), 12, 12);
      p.end();
      result.addPixmap(pixmap);
    }
    return result;
  }();
  return icon;
}

}  // namespace lorvane::ui
