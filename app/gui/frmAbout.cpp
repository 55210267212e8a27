#include "app/gui/frmAbout.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/frmCredits.h"

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About VORN"));
  auto* layout = new QVBoxLayout(this);
  const char* lines[] = {"Vornhall (VORN)", "Software Version 1.1, 12/08/2008", "", "Prepared by:", "Corvath"};
  int index = 0;
  for (const char* line : lines) {
    auto* label = new QLabel(QString::fromLatin1(line), this);
    label->setObjectName(QStringLiteral("lblAbout_%1").arg(index++));
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
  }
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setAccessibleName(ok->text());
  ok->setAutoDefault(false);
  // Return and Enter close the box as the button does.
  ok->setDefault(true);
  // The button takes no focus, so the letter keys reach the box itself.
  ok->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  setFocusPolicy(Qt::StrongFocus);

  showCredits = [](QWidget* owner) {
    frmCredits credits(owner);
    credits.exec();
  };
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
  if (event->text() == QLatin1String("A") || event->text() == QLatin1String("a")) {
    if (showCredits) showCredits(this);
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
