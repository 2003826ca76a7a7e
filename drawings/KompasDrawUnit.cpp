// SPDX-License-Identifier: GPL-3.0-or-later
#include "KompasDrawUnit.h"

#include "ImageBox.h"
#include "KompassPicture.h"
#include "RadioGroup.h"
#include "platform/views/CompactList.h"
#include "platform/views/DesktopFonts.h"
#include "platform/views/DialogKeys.h"
#include "platform/views/SystemColors.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor Pink(250, 200, 200);
const QColor Cream(255, 251, 240);
const QColor Blue(0, 0, 255);
const QColor Green(0, 128, 0);

QColor buttonFace()
{
    return platform::systemColor(platform::SystemColor::ButtonFace);
}

int bottomOf(const QWidget *widget)
{
    return widget->y() + widget->height();
}

int rightOf(const QWidget *widget)
{
    return widget->x() + widget->width();
}

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox *compassList(QWidget *parent, const char *name, int selected)
{
    auto *list = named(new QComboBox(parent), name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems({QStringLiteral("Пики"), QStringLiteral("Черви"), QStringLiteral("Крести"),
                    QStringLiteral("Бубны")});
    list->setCurrentIndex(selected);
    platform::makeCompactList(list);
    return list;
}

void textOut(QPainter &painter, QPoint topLeft, const QString &text)
{
    painter.drawText(QRect(topLeft, QSize(1000, 1000)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
}

} // namespace

TFormDrawings::TFormDrawings(DrawingsState &state, const platform::Services &services,
                             const TextGrid &analysisTable, QWidget *mainWindow)
    : QDialog(mainWindow), state_(state), services_(services), analysisTable_(analysisTable)
{
    pen_.setWidth(1);
    pen_.setColor(Qt::black);
    FormCreate(mainWindow);
}

void TFormDrawings::FormCreate(QWidget *mainWindow)
{
    setObjectName(QStringLiteral("FormDrawings"));
    setWindowTitle(QStringLiteral("FormDrawings Компас Форма"));
    // The window's controls and the picture's labels are sized for Tahoma, 8 points.
    setFont(platform::tahomaFont(11));
    if (mainWindow)
        move(mainWindow->pos());
    resize(544, 435);

    GroupBox1 = named(new QGroupBox(QStringLiteral("Кнопочки))"), this), "GroupBox1");
    ButtonAll = named(new QPushButton(QStringLiteral("Весь Ход))"), GroupBox1), "ButtonAll");
    ButtonAll->setGeometry(10, 15, 105, 25);
    ButtonStep = named(new QPushButton(QStringLiteral("Один Шаг"), GroupBox1), "ButtonStep");
    ButtonStep->setGeometry(10, bottomOf(ButtonAll) + 5, 105, 25);
    ButtonClose =
        named(new QPushButton(QStringLiteral("Закрыть Рисунок"), GroupBox1), "ButtonClose");
    ButtonClose->setGeometry(10, bottomOf(ButtonStep) + 5, 105, 25);
    GroupBox1->setGeometry(10, 5, 125, bottomOf(ButtonClose) + 10);

    GroupBox2 = named(new QGroupBox(QStringLiteral("Компас"), this), "GroupBox2");
    Label1 = named(new QLabel(QStringLiteral("Север"), GroupBox2), "Label1");
    Label1->setGeometry(10, 18, 40, 20);
    Label2 = named(new QLabel(QStringLiteral("Юг"), GroupBox2), "Label2");
    Label2->setGeometry(10, bottomOf(Label1) + 5, 40, 20);
    Label3 = named(new QLabel(QStringLiteral("Запад"), GroupBox2), "Label3");
    Label3->setGeometry(10, bottomOf(Label2) + 5, 40, 20);
    Label4 = named(new QLabel(QStringLiteral("Восток"), GroupBox2), "Label4");
    Label4->setGeometry(10, bottomOf(Label3) + 5, 40, 20);
    ComboBox1 = compassList(GroupBox2, "ComboBox1", 0);
    ComboBox1->setGeometry(60, Label1->y(), 55, 20);
    ComboBox2 = compassList(GroupBox2, "ComboBox2", 1);
    ComboBox2->setGeometry(60, Label2->y(), 55, 20);
    ComboBox3 = compassList(GroupBox2, "ComboBox3", 2);
    ComboBox3->setGeometry(60, Label3->y(), 55, 20);
    ComboBox4 = compassList(GroupBox2, "ComboBox4", 3);
    ComboBox4->setGeometry(60, Label4->y(), 55, 20);
    GroupBox2->setGeometry(10, bottomOf(GroupBox1) + 5, 125, bottomOf(ComboBox4) + 10);

    GroupBox3 = named(new QGroupBox(QStringLiteral("Миниатюра"), this), "GroupBox3");
    GroupBox3->setGeometry(10, bottomOf(GroupBox2) + 5, GroupBox2->width(), GroupBox2->width());
    ImageKompas = named(new ImageBox(GroupBox3), "ImageKompas");
    ImageKompas->setGeometry(2, 18, 120, 95);
    ImageKompas->setProportional(true);
    ImageKompas->setPicture(loadKompassPicture());

    GroupBox4 = named(new QGroupBox(QStringLiteral("Рабочее окно"), this), "GroupBox4");
    const int workSide = bottomOf(GroupBox3) - 5;
    GroupBox4->setGeometry(rightOf(GroupBox1) + 10, GroupBox1->y(), workSide, workSide);
    ImageKoloda = named(new ImageBox(GroupBox4), "ImageKoloda");
    ImageKoloda->setGeometry(10, 10, 200, 200);
    auto *workLayout = new QVBoxLayout(GroupBox4);
    workLayout->setContentsMargins(0, 0, 0, 0);
    workLayout->addWidget(ImageKoloda);
    workLayout->activate();

    RadioGroup1 = named(new RadioGroup(QStringLiteral("Множитель"), this), "RadioGroup1");
    RadioGroup1->addItem(QStringLiteral("\"Номинальный\""));
    RadioGroup1->addItem(QStringLiteral("Единый"));
    RadioGroup1->setItemIndex(0);
    RadioGroup1->setGeometry(rightOf(GroupBox4) + 10, GroupBox4->y(), GroupBox1->width(), 80);

    GroupBox5 = named(new QGroupBox(QStringLiteral("Выбор Шага"), this), "GroupBox5");
    GroupBox5->setGeometry(RadioGroup1->x(), bottomOf(RadioGroup1) + 10, RadioGroup1->width(),
                           GroupBox1->height());
    Label5 = named(new QLabel(QStringLiteral("Шаг №"), GroupBox5), "Label5");
    Label5->setGeometry(10, 18, 40, 20);
    Label6 = named(new QLabel(QStringLiteral("Карта"), GroupBox5), "Label6");
    Label6->setGeometry(10, bottomOf(Label1) + 5, 40, 20);
    ComboBox5 = named(new QComboBox(GroupBox5), "ComboBox5");
    ComboBox5->setEditable(true);
    ComboBox5->setInsertPolicy(QComboBox::NoInsert);
    for (int k = 1; k <= 36; ++k)
        ComboBox5->addItem(QStringLiteral("#:%1").arg(k));
    ComboBox5->setCurrentIndex(0);
    ComboBox5->setGeometry(60, Label5->y(), 55, 20);
    ComboBox6 = named(new QComboBox(GroupBox5), "ComboBox6");
    ComboBox6->setEditable(true);
    ComboBox6->setInsertPolicy(QComboBox::NoInsert);
    for (int k = 1; k <= 36; ++k)
        ComboBox6->addItem(QStringLiteral("#:") + analysisTable_.cell(k, 1));
    ComboBox6->setCurrentIndex(0);
    ComboBox6->setGeometry(60, Label6->y(), 55, 20);
    platform::makeCompactList(ComboBox5);
    platform::makeCompactList(ComboBox6);

    resize(rightOf(RadioGroup1) + 15, bottomOf(GroupBox3) + 35);

    connect(ButtonAll, &QPushButton::clicked, this, &TFormDrawings::ButtonAllClick);
    connect(ButtonStep, &QPushButton::clicked, this, &TFormDrawings::ButtonStepClick);
    connect(ButtonClose, &QPushButton::clicked, this, &TFormDrawings::ButtonCloseClick);
    // Return in a list must not run "Весь Ход))".
    platform::closeOnlyByOwnButtons(*this);
}

QImage &TFormDrawings::surface()
{
    return ImageKoloda->canvas(buttonFace());
}

void TFormDrawings::ButtonAllClick()
{
    ClearImage();
    const QImage &picture = surface();
    const DrawingFrame f = drawingFrame(picture.width(), picture.height());
    ShowStar(f.X0, f.Y0, f.Left, f.Top, f.Right, f.Bottom);

    const QComboBox *lists[] = {ComboBox1, ComboBox2, ComboBox3, ComboBox4};
    QStringList suits;
    for (const QComboBox *list : lists)
        suits << platform::selectedItemText(list);
    const QVector<PlacedText> labels = drawingLabels(f, suits[0], suits[1], suits[2], suits[3]);
    {
        QPainter painter(&surface());
        QFont font = ImageKoloda->font();
        font.setBold(true);
        font.setItalic(true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        // The first two labels are the centre's; each later one names the suit
        // of one compass list, which must have an item chosen.
        for (int i = 0; i < labels.size(); ++i) {
            if (i >= 2 && platform::selectedItemIndex(lists[i - 2]) < 0) {
                painter.end();
                ImageKoloda->update();
                services_.showMessage(platform::ListIndexOutOfBoundsText);
                return;
            }
            textOut(painter, labels[i].TopLeft, labels[i].Text);
        }
    }

    DrawAxis(Green, Qt::DashDotLine, f.X0, f.Y0, f.Left, f.Top, f.Right, f.Bottom);
    StepNumber(36);
}

void TFormDrawings::ButtonStepClick()
{
    const std::uint8_t count = state_.StepCounter;
    ClearImage();
    StepNumber(count);
}

void TFormDrawings::ButtonCloseClick()
{
    close();
}

void TFormDrawings::ClearImage()
{
    QImage &picture = surface();
    QPainter painter(&picture);
    painter.fillRect(QRect(0, 0, picture.width(), picture.height()), buttonFace());
    ImageKoloda->update();
}

void TFormDrawings::Line(const QColor &Color, Qt::PenStyle PenStyle, int X1, int Y1, int X2, int Y2)
{
    pen_.setColor(Color);
    pen_.setStyle(PenStyle);
    QPainter painter(&surface());
    painter.setPen(pen_);
    painter.drawLine(X1, Y1, X2, Y2);
    ImageKoloda->update();
}

void TFormDrawings::Tri(const QColor &Color, Qt::BrushStyle BrushStyle, QPoint P1, QPoint P2,
                        QPoint P3)
{
    pen_.setColor(Color);
    pen_.setStyle(Qt::SolidLine);
    pen_.setWidth(2);
    QPainter painter(&surface());
    painter.setPen(pen_);
    // A hatch brush lays its lines over what lies beneath and leaves the rest.
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrush(QBrush(Color, BrushStyle));
    painter.drawPolygon(QPolygon({P1, P2, P3}));
    ImageKoloda->update();
}

void TFormDrawings::DrawAxis(const QColor &Color, Qt::PenStyle PenStyle, int X0, int Y0, int Left,
                             int Top, int Right, int Bottom)
{
    pen_.setColor(Color);
    pen_.setStyle(PenStyle);
    pen_.setWidth(1);
    QPainter painter(&surface());
    painter.setPen(pen_);
    painter.drawLine(Left, Y0, Right, Y0);
    painter.drawLine(X0, Top, X0, Bottom);
    painter.drawLine(Left, Top, Right, Top);
    painter.drawLine(Left, Bottom, Right, Bottom);
    painter.drawLine(Left, Top, Left, Bottom);
    painter.drawLine(Right, Top, Right, Bottom);
    ImageKoloda->update();
}

void TFormDrawings::ShowStar(int X0, int Y0, int Left, int Top, int Right, int Bottom)
{
    const StarGeometry star = starGeometry(X0, Y0, Left, Top, Right, Bottom);
    pen_.setColor(Cream);
    pen_.setStyle(Qt::SolidLine);
    pen_.setWidth(2);
    {
        QPainter painter(&surface());
        painter.setPen(pen_);
        const std::pair<int, QColor> circles[] = {
            {star.r1, Pink}, {star.r2, buttonFace()}, {star.r3, Pink}, {star.r4, buttonFace()}};
        for (const auto &[r, colour] : circles) {
            painter.setBrush(colour);
            painter.drawEllipse(QRect(X0 - r, Y0 - r, 2 * r, 2 * r));
        }
    }
    for (const Triangle &t : star.Triangles)
        Tri(Cream, Qt::SolidPattern, t[0], t[1], t[2]);
    for (std::size_t i = 0; i < star.Triangles.size(); ++i) {
        const Triangle &t = star.Triangles[i];
        Tri(Pink, i < 4 ? Qt::SolidPattern : Qt::FDiagPattern, t[0], t[1], t[2]);
    }
}

void TFormDrawings::StepNumber(std::uint8_t Count)
{
    const StepLength mode =
        RadioGroup1->itemIndex() == 1 ? StepLength::Single : StepLength::Nominal;
    advanceStepCounter(state_);
    const QImage &picture = surface();
    const QPoint start = walkStart(picture.width(), picture.height());
    for (const QLine &line : walkLines(analysisTable_, Count, mode, start))
        Line(Blue, Qt::SolidLine, line.x1(), line.y1(), line.x2(), line.y2());
}
