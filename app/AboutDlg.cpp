#include "app/AboutDlg.h"

#include "res/ToolBarImages.h"
#include "res/Version.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Pelora"));
    QFont font(QStringList{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                           QStringLiteral("IPAPGothic")});
    font.setPointSize(9);
    setFont(font);

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    auto* version = new QLabel(QStringLiteral("Pelora Version %1").arg(QString::fromLatin1(kPeloraVersion)), this);
    auto* notice = new QLabel(QStringLiteral("電話料金ファイルを棒グラフで表示します。"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* contact = new QGroupBox(this);
    auto* contactLines = new QVBoxLayout(contact);
    contactLines->addWidget(new QLabel(QStringLiteral("Brisolt"), contact));
    contactLines->addWidget(new QLabel(QStringLiteral("ご意見・ご感想をお寄せください。"), contact));

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1);
    grid->addWidget(ok, 0, 2, Qt::AlignTop | Qt::AlignRight);
    grid->addWidget(notice, 1, 1, 1, 2);
    grid->addWidget(contact, 2, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}
