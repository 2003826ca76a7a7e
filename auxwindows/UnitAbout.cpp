// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnitAbout.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

// The picture is compiled into the library; a static library needs the resource
// registered by hand, and outside any namespace.
static void initAboutResources()
{
    Q_INIT_RESOURCE(auxwindows);
}

namespace {
// The activation layout centres the title but never moves it up or down.
constexpr int LabelTop = 16;
} // namespace

TFormAbout::TFormAbout(QWidget *parent) : QDialog(parent)
{
    initAboutResources();
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("FormAbout"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(432, 542);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // Carlito has Calibri's metrics: where Calibri is missing, the centred title
    // keeps the width it was laid out for.
    QFont labelFont;
    labelFont.setFamilies({QStringLiteral("Calibri"), QStringLiteral("Carlito")});
    labelFont.setPixelSize(19);
    labelFont.setItalic(true);
    Label1->setFont(labelFont);
    Label1->move(0, LabelTop);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    connect(Button1, &QPushButton::clicked, this, &TFormAbout::Button1Click);
}

void TFormAbout::FormActivate()
{
    Label1->setText(QStringLiteral("Калькулятор ТЛ, версия для тестирования v.022"));
    // The label sizes itself to its caption; only its height is fixed.
    Label1->resize(Label1->sizeHint().width(), 25);
    Label1->move((width() - Label1->width()) / 2, Label1->y());

    // Centred on the outer width (frame included), not on the client area: a
    // few pixels right of the title on a framed window, as it always stood.
    Image1->resize(241, 321);
    Image1->move((frameGeometry().width() - Image1->width()) / 2,
                 Label1->y() + Label1->height() + 20);
    // Drawn proportionally: a larger picture is scaled down to fit, never stretched.
    QPixmap picture(QStringLiteral(":/auxwindows/about.jpg"));
    if (picture.width() > Image1->width() || picture.height() > Image1->height())
        picture = picture.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Image1->setPixmap(picture);

    Button1->setGeometry(Image1->x(), Image1->y() + Image1->height() + 20, Image1->width(), 50);
    Button1->setText(QStringLiteral("Продолжить"));
}

void TFormAbout::Button1Click()
{
    close();
}

void TFormAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFormAbout::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}
