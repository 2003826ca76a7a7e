// SPDX-License-Identifier: GPL-3.0-or-later
#include "TForm1.h"

#include "analysis/CardReplacement.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "engine/Deck.h"
#include "engine/DeckCheck.h"
#include "hexagrams/HexagramSelection.h"
#include "hexagrams/views/HexagramPicture.h"
#include "hexagrams/views/HexagramTableCells.h"
#include "mainwindow/StatisticsWindow.h"
#include "platform/IntConvert.h"
#include "platform/LocaleFormats.h"
#include "platform/views/CompactList.h"
#include "platform/views/DesktopFonts.h"
#include "platform/views/GridView.h"
#include "platform/views/ReportView.h"
#include "platform/views/SystemColors.h"
#include "platform/views/TextDrawing.h"
#include "search/ChainGenerator.h"
#include "search/ConditionEstimator.h"
#include "search/MicroChainSearch.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>
#include <QValidator>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <optional>

namespace {

// The client area paints the kept hexagram picture over its background, in its
// own part of the area. A picture drawn for another pixel ratio (the window has
// moved to another screen) is drawn anew first.
class ClientArea : public QWidget
{
public:
    ClientArea(const QImage &picture, std::function<QPoint()> origin, std::function<void()> redraw,
               QWidget *parent)
        : QWidget(parent), picture_(picture), origin_(std::move(origin)), redraw_(std::move(redraw))
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (picture_.isNull())
            return;
        if (picture_.devicePixelRatio() != devicePixelRatioF())
            redraw_();
        QPainter painter(this);
        painter.drawImage(origin_(), picture_);
    }

private:
    const QImage &picture_;
    std::function<QPoint()> origin_;
    std::function<void()> redraw_;
};

// A line break pasted into the chain line would look like a blank and be read as
// a card's rank; it becomes a blank, as does a tab.
class ChainLineValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &position) const override
    {
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            if (c == u'\r' && i + 1 < input.size() && input.at(i + 1) == u'\n') {
                input.replace(i, 2, u' ');
                if (position > i)
                    --position;
            } else if (c == u'\r' || c == u'\n' || c == u'\t' || c == QChar::LineSeparator ||
                       c == QChar::ParagraphSeparator) {
                input[i] = u' ';
            }
        }
        return Acceptable;
    }
};

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QStringList numberItems()
{
    QStringList items{QStringLiteral("Выбери")};
    for (int n = 1; n <= 36; ++n)
        items << QString::number(n);
    return items;
}

// "Выбери", the 36 cards in deck order, the four suit patterns, the nine rank
// patterns: the items of the target and replacement lists.
QStringList cardItems()
{
    return QStringList{QStringLiteral("Выбери")} + targetItems();
}

QColor suitColour(const QString &suit, const QColor &fallback)
{
    if (suit == u"ч")
        return QColor(255, 204, 204);
    if (suit == u"б")
        return QColor(255, 255, 0);
    if (suit == u"к")
        return QColor(204, 255, 204);
    if (suit == u"п")
        return QColor(204, 204, 255);
    return fallback;
}

// The condition boxes and lists as the generator reads them, afresh each time.
//
// The controls change only while events are processed (the user's clicks and
// keys arrive as events), so what they showed is kept until the run next lets
// events through: reading it again at every test in between, hundreds of
// thousands of times a second, would only find the same.
class WindowConditions : public ConditionSource
{
public:
    explicit WindowConditions(TForm1 &form) : form_(form) {}

    // The run let events through: read the controls again at the next tests.
    void controlsMayHaveChanged()
    {
        boxes_.fill(std::nullopt);
        numbers_.fill(std::nullopt);
        target_.reset();
    }

    bool boxChecked(int box) override
    {
        Q_ASSERT(box >= 1 && box <= 5);
        std::optional<bool> &kept = boxes_[std::size_t(box - 1)];
        if (!kept) {
            QCheckBox *const boxes[] = {form_.CheckBox1, form_.CheckBox2, form_.CheckBox3,
                                        form_.CheckBox4, form_.CheckBox5};
            kept = boxes[box - 1]->isChecked();
        }
        return *kept;
    }
    // The selected item, converted where the test reads it: an item that is no
    // whole number ends the run with the conversion message.
    int listNumber(int list) override
    {
        Q_ASSERT(list >= 1 && list <= 3);
        std::optional<int> &kept = numbers_[std::size_t(list - 1)];
        if (!kept)
            kept = platform::StrToInt(item(list));
        return *kept;
    }
    TargetPattern targetPattern() override
    {
        if (!target_)
            target_.emplace(item(4));
        return *target_;
    }

private:
    QString item(int list) const
    {
        QComboBox *const lists[] = {form_.ComboBox1, form_.ComboBox2, form_.ComboBox3,
                                    form_.ComboBox4};
        return platform::selectedItemText(lists[list - 1]);
    }

    TForm1 &form_;
    std::array<std::optional<bool>, 5> boxes_;
    std::array<std::optional<int>, 3> numbers_;
    std::optional<TargetPattern> target_;
};

} // namespace

TForm1::TForm1(ProgramState &state, platform::Services &services, QWidget *parent)
    : QMainWindow(parent), state_(state), services_(services)
{
    setFont(platform::tahomaFont(11));
    client_ = new ClientArea(
        hexagramPicture_, [this] { return hexagramPictureArea().topLeft(); },
        [this] { redrawHexagramPicture(); }, this);
    const auto tableChanged = [this] { hexagramTableChanged_ = true; };
    connect(&tables_.StringGrid3, &QAbstractItemModel::dataChanged, this, tableChanged);
    connect(&tables_.StringGrid3, &QAbstractItemModel::modelReset, this, tableChanged);
    client_->setObjectName(QStringLiteral("client"));
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    setCentralWidget(client_);
    createControls();
    createMenu();
    createStatusBar();
    setWindowTitle(QStringLiteral("ТЛ калькулятор 022"));
    client_->setFixedSize(976, 465);

    // The chance of what the generator is asked for follows the conditions.
    estimator_ = new ConditionEstimator(this);
    connect(estimator_, &ConditionEstimator::textChanged, EstimateLabel, &QLabel::setText);
    for (QCheckBox *box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5})
        connect(box, &QCheckBox::toggled, this, [this] { conditionsChanged(); });
    for (QComboBox *list : {ComboBox1, ComboBox2, ComboBox3, ComboBox4})
        connect(list, &QComboBox::currentTextChanged, this, [this] { conditionsChanged(); });
    conditionsChanged();
}

void TForm1::conditionsChanged()
{
    WindowConditions source(*this);
    if (const std::optional<GeneratorConditions> conditions = readConditions(source))
        estimator_->setConditions(*conditions);
    else
        estimator_->clearConditions();
}

void TForm1::createControls()
{
    QWidget *c = client_;
    Edit1 = named(new QLineEdit(c), "Edit1");
    Edit1->setFont(platform::monospaceFont(QStringLiteral("Courier New"), 12));
    // A pasted text is analysed whole, however long.
    Edit1->setMaxLength(std::numeric_limits<int>::max());
    Edit1->setValidator(new ChainLineValidator(Edit1));
    Edit2 = named(new QLineEdit(c), "Edit2");
    Edit3 = named(new QLineEdit(c), "Edit3");
    Edit2->hide();
    Edit3->hide();

    ButtonCheckString =
        named(new QPushButton(QStringLiteral("Проверка Строки и Анализ"), c), "ButtonCheckString");
    ButtonClose = named(new QPushButton(QStringLiteral("Выход"), c), "ButtonClose");
    ButtonTLG = named(new QPushButton(QStringLiteral("Создать ЦС ТЛ"), c), "ButtonTLG");
    Label1 = named(new QLabel(QStringLiteral("Количество перебранных вариантов"), c), "Label1");
    Label1->setFont(platform::tahomaFont(13));

    StringGrid1 = named(new platform::GridView(tables_.StringGrid1, c), "StringGrid1");
    StringGrid2 = named(new platform::GridView(tables_.StringGrid2, c), "StringGrid2");
    StringGrid3 = named(new platform::GridView(tables_.StringGrid3, c), "StringGrid3");
    StringGrid1->setDrawCell([this](QPainter &p, int col, int row, const QRect &r) {
        StringGrid1DrawCell(p, col, row, r);
    });
    StringGrid2->setDrawCell([this](QPainter &p, int col, int row, const QRect &r) {
        StringGrid2DrawCell(p, tables_.StringGrid2, col, row, r);
    });
    StringGrid3->setDrawCell([this](QPainter &p, int col, int row, const QRect &r) {
        StringGrid3DrawCell(p, tables_.StringGrid3, col, row, r);
    });
    StringGrid3->setDrawFocusRect(true);
    StringGrid1->setSelectCell([this](int col, int row) { StringGrid1SelectCell(col, row); });
    StringGrid2->setSelectCell([this](int col, int row) { StringGrid2SelectCell(col, row); });
    StringGrid3->setSelectCell([this](int col, int row) { StringGrid3SelectCell(col, row); });

    RichEdit1 = named(new platform::ReportView(tables_.RichEdit1, c), "RichEdit1");
    RichEdit1->setFont(platform::monospaceFont(QStringLiteral("Lucida Console"), 11));
    // Long lines wrap, so the horizontal bar only shows where a line cannot.
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    CheckBox1 = named(new QCheckBox(QStringLiteral("Количество транзитов <="), c), "CheckBox1");
    CheckBox2 = named(new QCheckBox(QStringLiteral("Максимальный обвал EFL >="), c), "CheckBox2");
    CheckBox3 =
        named(new QCheckBox(QStringLiteral("Задать положение Целевой карты = "), c), "CheckBox3");
    CheckBox4 =
        named(new QCheckBox(QStringLiteral("Задать значение Целевой карты = "), c), "CheckBox4");
    CheckBox5 =
        named(new QCheckBox(QStringLiteral("Задать полную балансировку? "), c), "CheckBox5");

    const auto makeList = [c](const char *name) {
        auto *list = named(new QComboBox(c), name);
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setMaxVisibleItems(20);
        platform::makeCompactList(list);
        return list;
    };
    ComboBox1 = makeList("ComboBox1");
    ComboBox2 = makeList("ComboBox2");
    ComboBox3 = makeList("ComboBox3");
    ComboBox4 = makeList("ComboBox4");
    ComboBox5 = makeList("ComboBox5");
    ComboBox6 = makeList("ComboBox6");
    Button1 = named(new QPushButton(QStringLiteral("Заменить на"), c), "Button1");
    ComboBox5->setEnabled(false);
    ComboBox6->setEnabled(false);
    Button1->setEnabled(false);

    ButtonMicro = named(new QPushButton(c), "ButtonMicro");
    ButtonSqare = named(new QPushButton(c), "ButtonSqare");
    ButtonMicro->hide();
    ButtonSqare->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start();

    connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        if (ButtonCheckString->isEnabled())
            ButtonCheckStringClick();
    });
    connect(ButtonCheckString, &QPushButton::clicked, this, [this] { ButtonCheckStringClick(); });
    connect(ButtonClose, &QPushButton::clicked, this, [this] { ButtonCloseClick(); });
    connect(ButtonTLG, &QPushButton::clicked, this, [this] { ButtonTLGClick(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(ComboBox5, &QComboBox::editTextChanged, this, [this] { ComboBox5Change(); });
    connect(ComboBox6, &QComboBox::editTextChanged, this, [this] { ComboBox6Change(); });
    connect(ButtonMicro, &QPushButton::clicked, this, [this] { ButtonMicroClick(); });
    connect(ButtonSqare, &QPushButton::clicked, this, [this] { ButtonSqareClick(); });
}

void TForm1::createMenu()
{
    QMenuBar *bar = menuBar();
    N1 = bar->addAction(QStringLiteral("ТЛ"));
    N1->setObjectName(QStringLiteral("N1"));
    FILE1 = bar->addMenu(QStringLiteral("FILE"));
    FILE1->setObjectName(QStringLiteral("FILE1"));
    FILE1->setEnabled(false);
    FILE1->menuAction()->setEnabled(false);
    OPEN1 = FILE1->addAction(QStringLiteral("OPEN"));
    OPEN1->setEnabled(false);
    SAVE1 = FILE1->addAction(QStringLiteral("SAVE"));
    SAVE1->setEnabled(false);
    QUIT1 = FILE1->addAction(QStringLiteral("QUIT"));
    connect(QUIT1, &QAction::triggered, this, [this] { QUIT1Click(); });
    FILTERS1 = bar->addAction(QStringLiteral("Фильтры"));
    connect(FILTERS1, &QAction::triggered, this, [this] { FILTERS1Click(); });
    N2 = bar->addAction(QStringLiteral("Рисунки"));
    connect(N2, &QAction::triggered, this, [this] { N2Click(); });
    Compass1 = bar->addAction(QStringLiteral("Компас"));
    connect(Compass1, &QAction::triggered, this, [this] { CompassClick(); });
    // The micro-chain search and the chain roots, whose buttons stay hidden.
    Micro1 = bar->addAction(QStringLiteral("МикроЦС"));
    Micro1->setObjectName(QStringLiteral("Micro1"));
    connect(Micro1, &QAction::triggered, this, [this] { MicroMenuClick(); });
    Roots1 = bar->addAction(QStringLiteral("Корни ЦС"));
    Roots1->setObjectName(QStringLiteral("Roots1"));
    connect(Roots1, &QAction::triggered, this, [this] { ButtonSqareClick(); });
    Statistics1 = bar->addAction(QStringLiteral("Статистика"));
    Statistics1->setObjectName(QStringLiteral("Statistics1"));
    connect(Statistics1, &QAction::triggered, this, [this] { Statistics1Click(); });
    HELP1 = bar->addMenu(QStringLiteral("HELP"));
    HELP1->setObjectName(QStringLiteral("HELP1"));
    FAQ1 = HELP1->addAction(QStringLiteral("FAQ"));
    ABOUT1 = HELP1->addAction(QStringLiteral("ABOUT"));
    connect(FAQ1, &QAction::triggered, this, [this] { FAQ1Click(); });
    connect(ABOUT1, &QAction::triggered, this, [this] { ABOUT1Click(); });
    for (QAction *action : {OPEN1, SAVE1, QUIT1, FILTERS1, N2, FAQ1, ABOUT1})
        action->setObjectName(action->text() + QStringLiteral("1"));
    N2->setObjectName(QStringLiteral("N2"));
    Compass1->setObjectName(QStringLiteral("Compass1"));
}

void TForm1::FormActivate()
{
    QString deckText;
    MakeOrderedDeck(state_.OrderedDeck, deckText);
    // Laid out once: later activations (after a modal window, after switching
    // programs) must not take the user's chain and choices away.
    if (!laidOut_) {
        laidOut_ = true;
        FormSetup();
    }
}

void TForm1::FormSetup()
{
    Edit1->setText(QStringLiteral(" Строка для ввода Цепочки. Калькулятор для пасьянса ТЛ."));
    Edit1->setGeometry(20, 10, 790, 23);
    Edit2->setText(QStringLiteral(" Сколько МикроЦС надо? "));
    Edit2->setGeometry(640, 321, 60, 24);
    Edit3->setText(QStringLiteral(" n1= "));
    Edit3->setGeometry(840, 321, 60, 24);

    ButtonCheckString->setGeometry(20, 43, 180, 24);
    ButtonCheckString->setEnabled(false);
    ButtonClose->setGeometry(210, 43, 180, 24);
    ButtonTLG->setGeometry(400, 43, 180, 24);
    // The label reaches the window's right margin, as a label sized to its caption
    // would: its caption, and the count of a long run, are wider than 216 pixels.
    Label1->setGeometry(590, 43, 20 + 936 - 590, 16);

    StringGrid1->setDefaultColumnWidth(23);
    StringGrid1->setDefaultRowHeight(15);
    StringGrid1->setGeometry(20, 77, 936, 129);
    StringGrid1->setColumnWidthOf(0, StringGrid1->columnWidthOf(0) + 23);

    StringGrid2->setDefaultColumnWidth(23);
    StringGrid2->setDefaultRowHeight(15);
    StringGrid2->setGeometry(20, 216, 265, 129);

    StringGrid3->setDefaultColumnWidth(23);
    StringGrid3->setDefaultRowHeight(15);
    StringGrid3->setGeometry(295, 216, 265, 129);
    StringGrid3->setColumnWidthOf(9, StringGrid3->columnWidthOf(9) + 2);
    StringGrid3->setColumnWidthOf(10, StringGrid3->columnWidthOf(10) - 2);
    tables_.setTableTitles();

    RichEdit1->setGeometry(20, 355, 540, 100);

    const int clientHeight = Edit1->height() + 20 + ButtonCheckString->height() + 10 +
                             StringGrid1->height() + 10 + StringGrid2->height() + 10 +
                             RichEdit1->height() + 10;
    client_->setFixedSize(StringGrid1->width() + 40, clientHeight);
    Edit1->resize(StringGrid1->width(), Edit1->height());

    ButtonMicro->setGeometry(StringGrid3->x() + StringGrid3->width() + 20,
                             StringGrid3->y() + StringGrid3->height() - ButtonCheckString->height(),
                             ButtonCheckString->width() / 3, ButtonCheckString->height());
    ButtonMicro->setText(QStringLiteral("МикроЦС"));
    ButtonSqare->setGeometry(Edit2->x() + ButtonMicro->width(), Edit2->y(), ButtonMicro->width(),
                             ButtonMicro->height());
    ButtonSqare->setText(QStringLiteral("Корни ЦС"));
    client_->setFixedWidth(StringGrid1->width() + 40);

    // The boxes reach to just before the lists beside them: the indicator and its
    // spacing leave 200 pixels too little room for "Задать положение Целевой карты = ".
    const int boxWidth = 806 - 4 - 580;
    int top = 216;
    for (QCheckBox *box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5}) {
        box->setGeometry(580, top, boxWidth, 15);
        box->setChecked(false);
        top += 20;
    }
    fillConditionLists();

    // Drop-down lists take the height their font gives them, as on the desktop.
    const int listHeight = 21;
    ComboBox5->setGeometry(580, 321, 70, listHeight);
    Button1->setGeometry(670, 321, 100, 21);
    ComboBox6->setGeometry(790, 321, 70, listHeight);
}

void TForm1::fillConditionLists()
{
    // Filled once, at the first activation, so the lists never grow twice.
    const QStringList numbers = numberItems();
    const QStringList cards = cardItems();
    int top = 216;
    for (QComboBox *list : {ComboBox1, ComboBox2, ComboBox3, ComboBox4}) {
        list->clear();
        list->addItems(list == ComboBox4 ? cards : numbers);
        list->setGeometry(806, top, 50, 21);
        top += 20;
    }
    ComboBox1->setCurrentIndex(36);
    ComboBox2->setCurrentIndex(1);
    ComboBox3->setCurrentIndex(1);
    ComboBox4->setCurrentIndex(1);
    for (QComboBox *list : {ComboBox5, ComboBox6}) {
        list->clear();
        list->addItems(cards);
        list->setCurrentIndex(1);
    }
}

void TForm1::ButtonCheckStringClick()
{
    RunAnalysis(tables_, state_, services_, Edit1->text());
    Button1->setEnabled(true);
    ComboBox5->setEnabled(true);
    ComboBox6->setEnabled(true);
    DrawChainHexagrams();
}

void TForm1::ButtonCloseClick()
{
    state_.StopRequested = true;
    services_.processPendingEvents();
    Label1->setText(QStringLiteral("EXIT"));
    close();
}

void TForm1::QUIT1Click()
{
    close();
}

void TForm1::showModally(QWidget *window)
{
    if (!window)
        return;
    if (auto *dialog = qobject_cast<QDialog *>(window)) {
        dialog->exec();
    } else {
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
    }
}

void TForm1::FILTERS1Click()
{
    if (!filterWindow_)
        return;
    const int width = 690;
    filterWindow_->resize(width, height());
    filterWindow_->move(x() + (this->width() - width) / 2, y());
    showModally(filterWindow_);
}

void TForm1::N2Click()
{
    showModally(drawingsWindow_);
}

void TForm1::CompassClick()
{
    showModally(compassWindow_);
}

void TForm1::Timer1Timer()
{
    services_.processPendingEvents();
}

void TForm1::Edit1Change()
{
    ButtonCheckString->setEnabled(true);
}

void TForm1::FormMouseMove()
{
    if (state_.StopRequested) {
        close();
        return;
    }
    if (ButtonCheckString->isEnabled())
        refreshHexagramPicture();
}

void TForm1::StringGrid1SelectCell(int, int) {}

void TForm1::StringGrid2SelectCell(int, int) {}

void TForm1::StringGrid3SelectCell(int column, int row)
{
    AppendHexagramSelection(tables_.StringGrid3, column, row, tables_.RichEdit1);
}

void TForm1::StringGrid1DrawCell(QPainter &painter, int column, int row, const QRect &rect)
{
    using platform::SystemColor;
    const TextGrid &grid = tables_.StringGrid1;
    const QColor window = platform::systemColor(SystemColor::Window);
    QColor brush = window;
    const TTLKoloda &current = state_.CurrentChain;
    if (row == 2 && column >= 1 && column <= 36 && !current.Cards[column].Suit.isEmpty())
        brush = suitColour(current.Cards[column].Suit, window);
    if (row == 4 && column > 0 && !grid.cell(column, 4).isEmpty())
        brush = QColor(204, 255, 204);
    if (row == 5 && column > 0 && !grid.cell(column, 5).isEmpty())
        brush = QColor(204, 204, 255);
    if ((row == 1 || row == 6) && grid.cell(column, 6) == QString::number(state_.MaxDepth))
        brush = QColor(220, 100, 100);
    if ((row == 1 || row == 3) && grid.cell(column, 3) == QString::number(state_.MaxMobileCount))
        brush = QColor(230, 100, 230);
    if (column == 37)
        brush = platform::systemColor(SystemColor::ButtonFace);
    if (column > 0)
        platform::fillAndDrawCentred(painter, rect, brush, grid.cell(column, row));
    if (column == 0 || row == 0) {
        painter.fillRect(rect, platform::systemColor(SystemColor::ButtonFace));
        painter.setPen(Qt::black);
        platform::drawTextLeftClipped(painter, rect, grid.cell(column, row));
    }
}

void TForm1::DrawChainHexagrams()
{
    refreshHexagramPicture();
    showDeckCheck(Edit1->text());
}

QRect TForm1::hexagramPictureArea() const
{
    // Four boxes 80 wide, 100 apart, and their labels, from the left of CheckBox5
    // at the top of the report box; the client area's right edge cuts it.
    const QPoint origin(CheckBox5->x(), RichEdit1->y());
    return QRect(origin, QSize(400, 100)).intersected(QRect(QPoint(0, 0), client_->size()));
}

void TForm1::refreshHexagramPicture()
{
    if (redrawHexagramPicture())
        client_->update(hexagramPictureDrawnArea_);
}

bool TForm1::redrawHexagramPicture()
{
    const QRect area = hexagramPictureArea();
    const qreal ratio = client_->devicePixelRatioF();
    if (!hexagramTableChanged_ && !hexagramPicture_.isNull() &&
        hexagramPicture_.devicePixelRatio() == ratio && area == hexagramPictureDrawnArea_)
        return false;
    hexagramTableChanged_ = false;
    hexagramPictureDrawnArea_ = area;

    // Drawn into a kept picture, so a repaint of the window shows it again, at the
    // screen's pixel ratio, so it is as sharp as the tables beside it.
    hexagramPicture_ = QImage(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    hexagramPicture_.setDevicePixelRatio(ratio);
    hexagramPicture_.fill(Qt::transparent);
    {
        QPainter painter(&hexagramPicture_);
        painter.setFont(font());
        painter.translate(-area.topLeft());
        ::DrawChainHexagrams(painter, area.topLeft(), tables_.StringGrid3);
    }
    return true;
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client_ && event->type() == QEvent::MouseMove)
        FormMouseMove();
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QMainWindow::changeEvent(event);
}

void TForm1::showEvent(QShowEvent *event)
{
    // Lay the window out before it is first painted, even where the platform
    // never activates it (offscreen tests).
    if (!laidOut_)
        FormActivate();
    QMainWindow::showEvent(event);
}

void TForm1::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(false);
    // Widgets rather than a status message: hovering the menu shows the items'
    // status tips in the message's place and would wipe a message.
    DeckCheckLabel = named(new QLabel(bar), "DeckCheckLabel");
    bar->addWidget(DeckCheckLabel, 1);
    EstimateLabel = named(new QLabel(bar), "EstimateLabel");
    EstimateLabel->setToolTip(QStringLiteral(
        "Шанс отмеченных условий на один расклад и ожидаемое время до цепочки, по выборке "
        "раскладов"));
    bar->addPermanentWidget(EstimateLabel);
    RunRateLabel = named(new QLabel(bar), "RunRateLabel");
    RunRateLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addPermanentWidget(RunRateLabel);
}

void TForm1::showDeckCheck(const QString &chainText)
{
    const QString line = deckCheckLine(checkDeck(chainText));
    const QString text = line.isEmpty() ? FullDeckText : QStringLiteral("Не колода: ") + line;
    DeckCheckLabel->setText(text);
    // A long list of missing cards is cut at the window's edge; all of it shows
    // when the mouse rests on it.
    DeckCheckLabel->setToolTip(text);
}

void TForm1::showRunRate(const QString &text)
{
    RunRateLabel->setText(text);
}

void TForm1::showTriedVariants()
{
    Label1->setText(QStringLiteral("Перебрали = %1 вариантов").arg(state_.TriedVariants));
}

double dealsPerSecond(std::uint64_t deals, qint64 ms)
{
    return ms <= 0 ? 0.0 : double(deals) * 1000.0 / double(ms);
}

QString runRateText(double perSecond)
{
    if (perSecond <= 0)
        return QString();
    return QStringLiteral("%1 млн вариантов в секунду")
        .arg(platform::fixedNumber(perSecond / 1e6, perSecond < 1e7 ? 2 : 1));
}

void TForm1::ButtonTLGClick()
{
    QString deckText;
    MakeOrderedDeck(state_.OrderedDeck, deckText);
    Edit1->setText(deckText);
    ButtonCheckString->setEnabled(false);
    Button1->setEnabled(true);
    ComboBox5->setEnabled(true);
    ComboBox6->setEnabled(true);
    tables_.RichEdit1.clear();
    ClearResultTables(tables_);
    state_.TriedVariants = 0;
    const QDateTime start = services_.now();

    // Worker threads deal and count; this thread tests their candidates in deal
    // order with the conditions as the boxes and lists show them at each test.
    // The dealer is this run's own: a nested run deals with its own while this
    // one's workers wait, and whichever way the run ends, its workers are
    // joined before the handler returns.
    lanedeal::ParallelDealer dealer(services_.random().next(), lanedeal::everyCore());
    CandidateStream candidates(dealer);
    // The run has the cores: no estimate deals meanwhile, and the one shown gives
    // its expected time at the run's rate.
    estimator_->setPaused(true);
    const auto resumeEstimates = qScopeGuard([this] {
        estimator_->setRate(0);
        estimator_->setPaused(false);
    });
    WindowConditions conditions(*this);

    // A candidate comes every few microseconds, far more often than a screen
    // shows a frame: the count and the rate are painted at most 25 times a
    // second, and only kept in between.
    QElapsedTimer running, sincePaint, sinceEvents;
    running.start();
    sincePaint.start();
    sinceEvents.start();
    const auto showProgress = [&](bool paintNow) {
        if (sincePaint.elapsed() < 40)
            return;
        sincePaint.restart();
        showTriedVariants();
        const double perSecond = dealsPerSecond(candidates.dealt(), running.elapsed());
        showRunRate(runRateText(perSecond));
        estimator_->setRate(perSecond);
        if (paintNow)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    };
    GeneratorHooks hooks;
    hooks.stopRequested = [this] { return state_.StopRequested; };
    // Pending events are processed at the points of the tests that allow it, as
    // the run always did; a candidate reaches them every few microseconds, so
    // they are let through at most once a millisecond, quicker than anyone can
    // click and far cheaper than asking the platform each time.
    hooks.processPendingEvents = [&] {
        if (sinceEvents.nsecsElapsed() < 1'000'000)
            return;
        sinceEvents.restart();
        showProgress(false);
        services_.processPendingEvents();
        conditions.controlsMayHaveChanged();
    };
    hooks.repaint = [&] { showProgress(true); };
    hooks.maxDepth = &state_.MaxDepth;

    SearchResult result;
    try {
        result = searchChain(candidates, conditions, hooks, state_.TriedVariants);
    } catch (const platform::ConversionError &error) {
        showTriedVariants();
        showRunRate(QString());
        services_.showMessage(error.message());
        return;
    }
    showRunRate(QString());
    if (result.end == SearchEnd::Stopped)
        return;
    showTriedVariants();

    Edit1->setText(result.text);
    ButtonCheckString->setEnabled(true);
    for (const QString &line : generatorTimeLines(start, services_.now()))
        tables_.RichEdit1.append(line);

    // Analysed afresh from the edit line, below the time lines.
    TTLKoloda candidate;
    ClearChain(candidate);
    ClearResultTables(tables_);
    readChainShowingShort(Edit1->text(), candidate, services_);
    AnalyseChain(candidate);
    FillAnalysisTable(tables_, state_, candidate);
    RunHexagramAnalyses(tables_, candidate);
    DrawChainHexagrams();
    state_.CurrentChain = candidate;
}

void TForm1::Button1Click()
{
    // Only cards, suits and ranks are exchanged: the placeholder "Выбери", or a
    // typed text that names none of them, would write letters into the chain that
    // are no card.
    const QStringList items = targetItems();
    for (const QComboBox *list : {ComboBox5, ComboBox6}) {
        if (!items.contains(list->currentText())) {
            services_.showMessage(ReplacementNotACardText.arg(list->currentText()));
            return;
        }
    }
    Edit1->setText(
        replaceCards(Edit1->text(), ComboBox5->currentText(), ComboBox6->currentText(), services_));
    StringGrid1->repaint();
    services_.processPendingEvents();
    // The new chain is analysed as the check button does it, and becomes the
    // current chain, so the formula row is coloured by its own suits.
    RunAnalysis(tables_, state_, services_, Edit1->text());
    services_.processPendingEvents();
    DrawChainHexagrams();
}

void TForm1::keepKindsAlike(QComboBox *changed, QComboBox *other)
{
    const QString text = kindAlikeText(changed->currentText(), other->currentText());
    if (text == other->currentText())
        return;
    const int index = other->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        other->setCurrentIndex(index);
    else
        other->setEditText(text);
}

void TForm1::ComboBox5Change()
{
    keepKindsAlike(ComboBox5, ComboBox6);
}

void TForm1::ComboBox6Change()
{
    keepKindsAlike(ComboBox6, ComboBox5);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closed in any way, the window ends a generator run as "Выход" does: a run
    // must never go on in a process without its window.
    state_.StopRequested = true;
    QMainWindow::closeEvent(event);
}

void TForm1::ButtonMicroClick()
{
    GetMicroCS();
}

void TForm1::MicroMenuClick()
{
    // The count last asked for is offered again; a first search asks for ten.
    int count = 10;
    if (!platform::tryStrToInt(Edit2->text(), count) || count < 1 || count > MicroChainCapacity)
        count = 10;
    int efl = 0;
    platform::tryStrToInt(platform::selectedItemText(ComboBox2), efl);
    MicroSearchDialog dialog(count, defaultMicroMethod(efl), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Edit2->setText(QString::number(dialog.count()));
    microMethod_ = dialog.method();
    GetMicroCS();
}

bool TForm1::refusedLists(std::initializer_list<const QComboBox *> lists)
{
    for (const QComboBox *list : lists) {
        if (platform::selectedItemIndex(list) < 0) {
            services_.showMessage(platform::ListIndexOutOfBoundsText);
            return true;
        }
    }
    return false;
}

void TForm1::GetMicroCS()
{
    // Input the search cannot take is turned down before anything changes: a
    // list whose text was typed over has no item to read, and the placeholder is
    // no target to end a micro-chain on.
    if (refusedLists({ComboBox4, ComboBox2}))
        return;
    if (platform::selectedItemText(ComboBox4) == ComboBox4->itemText(0)) {
        services_.showMessage(MicroTargetNotChosenText);
        return;
    }

    // A long search shows its progress and can be cancelled; between micro-chains
    // the window stays responsive. The progress dialog exists only once the search
    // has taken its input and really runs, so it never covers a refusal.
    std::unique_ptr<QProgressDialog> progress;
    bool repainted = false;
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    const auto showProgress = [&](int built, int total, std::int64_t attempts) {
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(QStringLiteral("Строим МикроЦС…"),
                                                         QStringLiteral("Остановить"), 0,
                                                         std::max(total, 1), this);
            progress->setObjectName(QStringLiteral("MicroProgress"));
            progress->setWindowTitle(QStringLiteral("МикроЦС"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setAutoReset(false);
            progress->setAutoClose(false);
            progress->setMinimumDuration(std::max(microProgressDelayMs_, 0));
            if (microProgressDelayMs_ <= 0)
                progress->show();
        }
        progress->setMaximum(std::max(total, 1));
        progress->setLabelText(QStringLiteral("Построено МикроЦС: %1 из %2, попыток: %3")
                                   .arg(built)
                                   .arg(total)
                                   .arg(attempts));
        progress->setValue(std::min(built, std::max(total, 1)));
    };
    MicroSearchOptions options;
    options.method = microMethod_;
    options.progress = [&](int built, int total, std::int64_t attempts) {
        if (!repainted) {
            // The emptied report shows while the search runs.
            repaint();
            repainted = true;
        }
        // Short micro-chains come thousands a second: the window is served a
        // few times a second, not after each one.
        if (progress && built != 0 && built != total && sinceEvents.elapsed() < 50)
            return !progress->wasCanceled();
        sinceEvents.restart();
        showProgress(built, total, attempts);
        services_.processPendingEvents();
        return !progress->wasCanceled();
    };
    const MicroSearchResult result = SearchMicroChains(
        state_, state_.OrderedDeck, services_, tables_.RichEdit1, Edit2->text(),
        platform::selectedItemText(ComboBox2), platform::selectedItemText(ComboBox4), options);
    progress.reset();
    if (result.outcome == MicroSearchResult::Outcome::Finished ||
        result.outcome == MicroSearchResult::Outcome::Stopped)
        fitReportToLines();
}

void TForm1::fitReportToLines()
{
    // The report grows with its lines up to a bound, and the window with it. The
    // font's size in points, as the desktop counts it at 96 dots per inch.
    const QFont font = RichEdit1->font();
    const int points = font.pointSize() > 0 ? font.pointSize() : (font.pixelSize() * 72 + 48) / 96;
    const int h = tables_.RichEdit1.lineCount() * points * 2;
    // Up to the bound the box takes the lines' height, and at the bound the bound:
    // a long report after a short one must not stay in the short one's box.
    RichEdit1->resize(RichEdit1->width(), std::min(h, 400));
    client_->setFixedSize(StringGrid1->width() + 40,
                          Edit1->height() + 20 + ButtonCheckString->height() + 10 +
                              StringGrid1->height() + 10 + StringGrid2->height() + 10 +
                              RichEdit1->height() + 20);
    adjustSize();
}

void TForm1::ButtonSqareClick()
{
    if (refusedLists({ComboBox2}))
        return;
    if (WriteMicroChainRoots(state_, services_, tables_.RichEdit1,
                             platform::selectedItemText(ComboBox2)) &&
        state_.MicroChainCount <= 0)
        tables_.RichEdit1.append(MicroRootsNoneYetText);
}

void TForm1::ABOUT1Click()
{
    showModally(aboutWindow_);
}

void TForm1::FAQ1Click()
{
    showModally(helpWindow_);
}

void TForm1::Statistics1Click()
{
    // A child window: it goes, its dealing stopped, when the main window goes.
    if (!statisticsWindow_) {
        statisticsWindow_ = new StatisticsWindow(this);
        statisticsWindow_->setMarksSource(
            [this] { return analysedChainMarks(state_.CurrentChain, tables_.StringGrid3); });
    }
    statisticsWindow_->refreshMarks();
    statisticsWindow_->show();
    statisticsWindow_->raise();
    statisticsWindow_->activateWindow();
}
