#include "platform/qt/hint_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace harkdeck {

namespace {

constexpr int kInvalidDialogId = 167;  // drawn in a larger font than the others

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Pixels per dialog unit of a font: a quarter of its average character width
// across and an eighth of its height down.
struct CUnits {
  explicit CUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    x = std::max(1.5, metrics.averageCharWidth() / 4.0);
    y = std::max(1.625, metrics.height() / 8.0);
  }
  QRect Rect(int left, int top, int width, int height) const {
    return {qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y)};
  }
  double x;
  double y;
};

// A plain dialog in the desktop's colours, whatever the panel behind it uses.
void PrepareDialog(QDialog* dialog, const QString& title, const QFont& font) {
  dialog->setWindowTitle(title);
  dialog->setPalette(QApplication::palette());
  dialog->setFont(font);
  dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

QPushButton* AddButton(QDialog* dialog, const QString& text, QRect where, const char* name) {
  auto* button = new QPushButton(text, dialog);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(where);
  return button;
}

}  // namespace

CDialogResult RunTemplateDialog(QWidget* owner, const CDialogTemplate& dialog, const QIcon& icon) {
  QDialog box(owner);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(dialog.id == kInvalidDialogId ? 14 : 11);
  PrepareDialog(&box, FromView(dialog.title), font);
  const CUnits units(font);
  const QFontMetrics metrics(font);

  int width = units.Rect(0, 0, dialog.width, 0).width();
  for (int i = 0; i < dialog.lineCount; ++i) {
    const CTemplateLine& line = dialog.lines[i];
    auto* label = new QLabel(FromView(line.text), &box);
    QRect where = units.Rect(line.x, line.y, line.width, 8);
    // The font is a little wider than the template's: never clip a line.
    where.setWidth(std::max(where.width(), metrics.horizontalAdvance(label->text()) + 2));
    label->setGeometry(where);
    width = std::max(width, where.right() + where.left());
  }
  if (dialog.showsIcon) {
    auto* picture = new QLabel(&box);
    picture->setPixmap(icon.pixmap(32, 32));
    picture->setGeometry(QRect(units.Rect(11, 17, 0, 0).topLeft(), QSize(32, 32)));
  }
  QRect okPlace = units.Rect(dialog.okX, dialog.okY, dialog.okWidth, dialog.okHeight);
  okPlace.moveRight(okPlace.right() + width - units.Rect(0, 0, dialog.width, 0).width());
  QPushButton* ok = AddButton(&box, QStringLiteral("OK"), okPlace, "ok");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
  box.setFixedSize(width, units.Rect(0, 0, 0, dialog.height).height());
  return box.exec() == QDialog::Accepted ? CDialogResult::kOk : CDialogResult::kCancel;
}

bool RunDateTimeDialog(QWidget* owner, const std::string& caption, std::string* text) {
  QDialog box(owner);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  PrepareDialog(&box, QStringLiteral("Edit Datetime"), font);
  const CUnits units(font);

  auto* label = new QLabel(QString::fromStdString(caption), &box);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setGeometry(units.Rect(7, 7, 86, 8));
  auto* edit = new QLineEdit(QString::fromStdString(*text), &box);
  edit->setObjectName(QStringLiteral("edit"));
  edit->setGeometry(units.Rect(7, 20, 89, 14));
  QPushButton* cancel =
      AddButton(&box, QStringLiteral("Cancel"), units.Rect(7, 40, 32, 14), "cancel");
  QPushButton* ok = AddButton(&box, QStringLiteral("OK"), units.Rect(63, 40, 35, 14), "ok");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &box, &QDialog::reject);
  box.setFixedSize(units.Rect(0, 0, 102, 61).size());
  edit->setFocus();
  if (box.exec() != QDialog::Accepted) return false;
  *text = edit->text().toStdString();
  return true;
}

}  // namespace harkdeck
