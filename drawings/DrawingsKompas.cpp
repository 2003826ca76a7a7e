// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingsKompas.h"

#include "CompassWalk.h"
#include "platform/views/DesktopFonts.h"
#include "platform/views/DialogKeys.h"
#include "platform/views/SystemColors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include <algorithm>

namespace {

QColor buttonFace()
{
    return platform::systemColor(platform::SystemColor::ButtonFace);
}

QColor suitColour(int suit)
{
    switch (suit) {
    case 1:
        return {0, 0, 255};
    case 2:
        return {255, 255, 0};
    case 3:
        return {0, 128, 0};
    case 4:
        return {255, 0, 0};
    default:
        return Qt::black;
    }
}

QFont canvasFont(bool bold, bool italic)
{
    QFont font = platform::tahomaFont(11);
    font.setPointSize(10);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void textOut(QPainter &painter, QPoint topLeft, const QString &text)
{
    painter.drawText(QRect(topLeft, QSize(1000, 1000)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
}

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TFormKompas::TFormKompas(CompassState &state, const TextGrid &analysisTable, QWidget *mainWindow)
    : QDialog(mainWindow), state_(state), analysisTable_(analysisTable)
{
    setObjectName(QStringLiteral("FormKompas"));
    setWindowTitle(QStringLiteral("FormKompas"));
    setFont(platform::tahomaFont(11));
    Button1 = named(new QPushButton(QStringLiteral("Закрыть"), this), "Button1");
    ButtonStep = named(new QPushButton(QStringLiteral("Пошагово идти"), this), "ButtonStep");
    Button2 = named(new QPushButton(QStringLiteral("Все шаги"), this), "Button2");
    Label1 = named(new QLabel(QStringLiteral("Множитель ="), this), "Label1");
    Edit1 = named(new QLineEdit(QStringLiteral("10"), this), "Edit1");

    connect(Button1, &QPushButton::clicked, this, &TFormKompas::Button1Click);
    connect(ButtonStep, &QPushButton::clicked, this, &TFormKompas::ButtonStepClick);
    connect(Button2, &QPushButton::clicked, this, &TFormKompas::Button2Click);
    connect(Edit1, &QLineEdit::textChanged, this, &TFormKompas::Edit1Change);
    // Return in the multiplier's line must not close the window.
    platform::closeOnlyByOwnButtons(*this);
}

// A large multiplier asks for a window many times the screen's size (255 gives
// 11675 pixels a side); the square window is kept to what fits on the screen with
// its frame. Until the window manager has framed the window its frame is not
// known, and a title bar and borders of the style's size are assumed.
int TFormKompas::windowSide() const
{
    const QScreen *where = screen();
    if (!where)
        return compassWindowSide(state_.CompassMultiplier);
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull()) {
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        frame = QMargins(border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border,
                         border);
    }
    return fittedCompassWindowSide(state_.CompassMultiplier, where->availableGeometry().size(),
                                   frame);
}

// Every showing is an activation: the walk is computed afresh from the table.
void TFormKompas::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFormKompas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), buttonFace());
    painter.drawImage(0, 0, surface_);
}

QImage &TFormKompas::canvas()
{
    if (surface_.size() != size()) {
        QImage grown(size(), QImage::Format_RGB32);
        grown.fill(buttonFace());
        QPainter painter(&grown);
        painter.drawImage(0, 0, surface_);
        painter.end();
        surface_ = grown;
    }
    return surface_;
}

void TFormKompas::fillSurface()
{
    canvas().fill(buttonFace());
    update();
}

void TFormKompas::FormActivate()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, buttonFace());
    setPalette(colours);
    Button1->setGeometry(20, 20, 100, 25);
    ButtonStep->setGeometry(20, 50, 100, 25);
    Button2->setGeometry(20, 80, 100, 25);
    Label1->setGeometry(20, 115, 70, 20);
    Edit1->setGeometry(90, 110, 35, 20);

    resize(windowSide(), windowSide());
    move(0, 0);
    fillSurface();

    KalkKompas();
    const QPoint origin = compassOrigin(state_.CompassBounds);
    const CompassBox box = compassBox(state_.CompassBounds);
    DrawKompas(36, origin.x(), origin.y());
    DrawAxis(origin.x(), origin.y(), box.Left, box.Right, box.Top, box.Bottom);
    state_.CompassStep = CompassStepReset;
}

void TFormKompas::KalkKompas()
{
    const CompassWalk walk = computeCompassWalk(analysisTable_, state_.CompassMultiplier);
    state_.CompassPoints = walk.Points;
    state_.CompassBounds = walk.Bounds;
    const QPoint origin = compassOrigin(state_.CompassBounds);
    DrawKompas(36, origin.x(), origin.y());
}

void TFormKompas::DrawKompas(int n, int ox, int oy)
{
    QPainter painter(&canvas());
    painter.setFont(canvasFont(false, true));
    painter.setBrush(buttonFace());
    painter.setPen(QPen(Qt::black, 2));
    textOut(painter, QPoint(ox, oy), QStringLiteral("0"));
    painter.drawEllipse(QRect(ox - 5, oy - 5, 10, 10));
    painter.drawEllipse(QRect(ox - 2, oy - 2, 4, 4));

    for (const CompassStepLine &step :
         compassStepLines(analysisTable_, n, state_.CompassMultiplier, QPoint(ox, oy))) {
        const QColor colour = suitColour(step.Suit);
        painter.setPen(QPen(colour, 2, Qt::SolidLine));
        painter.drawLine(step.From, step.To);
        painter.drawEllipse(QRect(step.To.x() - 5, step.To.y() - 5, 10, 10));
        textOut(painter, step.To + QPoint(5, 5), QString::number(step.Step));
    }
    update();
}

void TFormKompas::DrawAxis(int ox, int oy, int left, int right, int top, int bottom)
{
    const int d = state_.CompassFrameMargin;
    QPainter painter(&canvas());
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawLine(left - d, top - d, left - d, bottom + d);
    painter.drawLine(right + d, top - d, right + d, bottom + d);
    painter.drawLine(left - d, top - d, right + d, top - d);
    painter.drawLine(left - d, bottom + d, right + d, bottom + d);

    painter.setPen(QPen(QColor(255, 0, 0), 1, Qt::DotLine));
    painter.drawLine(ox, top - 50, ox, bottom + 50);
    painter.setPen(QPen(QColor(0, 0, 255), 1, Qt::DotLine));
    painter.drawLine(left - 50, oy, right + 50, oy);

    painter.setFont(canvasFont(true, true));
    painter.setPen(platform::systemColor(platform::SystemColor::Highlight));
    textOut(painter, QPoint(ox - 15, top - 60), QStringLiteral("ПИКИ"));
    textOut(painter, QPoint(ox - 20, bottom + 50), QStringLiteral("ЧЕРВИ"));
    textOut(painter, QPoint(left - 100, oy - 7), QStringLiteral("КРЕСТИ"));
    textOut(painter, QPoint(right + 50, oy - 7), QStringLiteral("БУБИ"));
    update();
}

void TFormKompas::ButtonStepClick()
{
    state_.CompassStep = nextCompassStep(state_.CompassStep);
    fillSurface();
    replayText_ = compassReplayLines(state_.CompassStep, state_.CompassPoints);
    {
        QPainter painter(&canvas());
        painter.setFont(canvasFont(true, false));
        painter.setPen(platform::systemColor(platform::SystemColor::HotTrack));
        for (int i = 0; i < replayText_.size(); ++i)
            textOut(painter, QPoint(150, 20 + 15 * i), replayText_[i]);
    }
    const QPoint origin = compassOrigin(state_.CompassBounds);
    const CompassBox box = compassBox(state_.CompassBounds);
    DrawAxis(origin.x(), origin.y(), box.Left, box.Right, box.Top, box.Bottom);
    DrawKompas(state_.CompassStep, origin.x(), origin.y());
}

void TFormKompas::Button2Click()
{
    fillSurface();
    const QPoint origin = compassOrigin(state_.CompassBounds);
    const CompassBox box = compassBox(state_.CompassBounds);
    DrawKompas(36, origin.x(), origin.y());
    DrawAxis(origin.x(), origin.y(), box.Left, box.Right, box.Top, box.Bottom);
}

void TFormKompas::Button1Click()
{
    close();
}

void TFormKompas::Edit1Change()
{
    state_.CompassMultiplier = multiplierFromText(Edit1->text(), state_.CompassMultiplier);
}
