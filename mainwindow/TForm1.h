// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/MainTables.h"
#include "mainwindow/MicroSearchDialog.h"
#include "mainwindow/ProgramState.h"
#include "platform/Services.h"

#include <QImage>
#include <QMainWindow>

#include <functional>
#include <initializer_list>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class QAction;
class ConditionEstimator;
class StatisticsWindow;

namespace platform {
class GridView;
class ReportView;
} // namespace platform

// The main window. The client area is the central widget: every position below
// is in its coordinates, as the layout gives them. Below it a status bar tells
// whether the analysed text is a whole deck (left) and, during a generator run,
// how fast chains are dealt (right); the window grows by its height.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    TForm1(ProgramState &state, platform::Services &services, QWidget *parent = nullptr);

    MainTables &tables() { return tables_; }
    QWidget *client() const { return client_; }

    // Secondary windows, opened from the menu; the application creates them.
    void setFilterWindow(QWidget *window) { filterWindow_ = window; }
    void setDrawingsWindow(QWidget *window) { drawingsWindow_ = window; }
    void setCompassWindow(QWidget *window) { compassWindow_ = window; }
    void setAboutWindow(QWidget *window) { aboutWindow_ = window; }
    void setHelpWindow(QWidget *window) { helpWindow_ = window; }

    // Handlers, named as the controls' events.
    void FormActivate();
    void FormSetup();
    void ButtonCheckStringClick();
    void ButtonCloseClick();
    void QUIT1Click();
    void FILTERS1Click();
    void N2Click();
    void CompassClick();
    void Timer1Timer();
    void Edit1Change();
    void FormMouseMove();
    void StringGrid1SelectCell(int column, int row);
    void StringGrid2SelectCell(int column, int row);
    void StringGrid3SelectCell(int column, int row);
    void StringGrid1DrawCell(QPainter &painter, int column, int row, const QRect &rect);
    // Ends every analysis the user sees (the check button, card replacement and a
    // generator result): draws the hexagram picture and shows the deck check of
    // the analysed text, the edit line's, on the status bar.
    void DrawChainHexagrams();
    void ButtonTLGClick();
    void Button1Click();
    void ComboBox5Change();
    void ComboBox6Change();
    void GetMicroCS();
    void ButtonMicroClick();
    void ButtonSqareClick();
    void MicroMenuClick();
    void ABOUT1Click();
    void FAQ1Click();
    void Statistics1Click();

    // The hexagram picture as it was last drawn, at the screen's pixel ratio, and
    // the part of the client area it covers.
    const QImage &hexagramPicture() const { return hexagramPicture_; }
    QRect hexagramPictureArea() const;

    // The status bar: the deck check of an analysed text on the left ("Колода
    // полная: …" or what the text lacks or repeats), never in the report; the
    // right part is kept for the generator's rate of deals while it runs (an
    // empty text clears it).
    void showDeckCheck(const QString &chainText);
    void showRunRate(const QString &text);
    QLabel *DeckCheckLabel = nullptr;
    QLabel *RunRateLabel = nullptr;
    // The ticked conditions' chance per dealt chain and the expected time to a
    // chain, estimated in the background whenever they change.
    QLabel *EstimateLabel = nullptr;
    ConditionEstimator *estimator() const { return estimator_; }

    // The method the "МикроЦС" dialog chose last, for GetMicroCS to search by.
    MicroMethod microMethod() const { return microMethod_; }
    // How long a micro-chain search runs before its progress dialog shows; tests
    // set 0 to have it shown at once when the search starts.
    void setMicroProgressDelay(int milliseconds) { microProgressDelayMs_ = milliseconds; }

    // Controls, named as the window's fields.
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QPushButton *ButtonCheckString = nullptr;
    QPushButton *ButtonClose = nullptr;
    QPushButton *ButtonTLG = nullptr;
    QLabel *Label1 = nullptr;
    platform::GridView *StringGrid1 = nullptr;
    platform::GridView *StringGrid2 = nullptr;
    platform::GridView *StringGrid3 = nullptr;
    platform::ReportView *RichEdit1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QComboBox *ComboBox3 = nullptr;
    QComboBox *ComboBox4 = nullptr;
    QComboBox *ComboBox5 = nullptr;
    QComboBox *ComboBox6 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *ButtonMicro = nullptr;
    QPushButton *ButtonSqare = nullptr;
    QTimer *Timer1 = nullptr;

    QAction *N1 = nullptr;
    QMenu *FILE1 = nullptr;
    QAction *OPEN1 = nullptr;
    QAction *SAVE1 = nullptr;
    QAction *QUIT1 = nullptr;
    QAction *FILTERS1 = nullptr;
    QAction *N2 = nullptr;
    QAction *Compass1 = nullptr;
    QAction *Micro1 = nullptr;
    QAction *Roots1 = nullptr;
    QAction *Statistics1 = nullptr;
    QMenu *HELP1 = nullptr;
    QAction *FAQ1 = nullptr;
    QAction *ABOUT1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void conditionsChanged();
    void createControls();
    void createMenu();
    void fillConditionLists();
    void showModally(QWidget *window);
    void showTriedVariants();
    void keepKindsAlike(QComboBox *changed, QComboBox *other);
    void fitReportToLines();
    void createStatusBar();
    // Draws the picture anew when what it shows has changed since it was drawn,
    // and has its area repainted.
    void refreshHexagramPicture();
    // Draws it anew if it is out of date; returns whether it did.
    bool redrawHexagramPicture();
    bool refusedLists(std::initializer_list<const QComboBox *> lists);

    ProgramState &state_;
    platform::Services &services_;
    MainTables tables_;
    QWidget *client_ = nullptr;
    QImage hexagramPicture_;
    // The kept picture is out of date when the hexagram table changed after it was
    // drawn, or it stands elsewhere (its pixel ratio it keeps itself). A mouse
    // move redraws nothing otherwise.
    bool hexagramTableChanged_ = true;
    QRect hexagramPictureDrawnArea_;
    bool laidOut_ = false;
    ConditionEstimator *estimator_ = nullptr;
    MicroMethod microMethod_ = MicroMethod::GenerateAndTest;
    int microProgressDelayMs_ = 500;

    QWidget *filterWindow_ = nullptr;
    QWidget *drawingsWindow_ = nullptr;
    QWidget *compassWindow_ = nullptr;
    QWidget *aboutWindow_ = nullptr;
    QWidget *helpWindow_ = nullptr;
    StatisticsWindow *statisticsWindow_ = nullptr; // made when first opened
};

// Deals per second over the time a run has taken, 0 before any time has passed.
double dealsPerSecond(std::uint64_t deals, qint64 ms);
// "12,3 млн вариантов в секунду" in the locale's form; empty for no rate.
QString runRateText(double perSecond);

// Our messages: a replacement list or the target list holds no card, suit or rank
// (the placeholder "Выбери" or a typed text), and "Корни ЦС" before any micro-chain.
inline const QString ReplacementNotACardText =
    QStringLiteral("Замена не выполнена: «%1» — не карта, не масть и не значение. "
                   "Выберите в списке карту, масть («?п») или значение («Т?»).");
inline const QString MicroTargetNotChosenText =
    QStringLiteral("МикроЦС не построены: целевая карта не выбрана. "
                   "Выберите в списке «Задать значение Целевой карты» карту, масть («?п») "
                   "или значение («Т?»).");
inline const QString MicroRootsNoneYetText =
    QStringLiteral("МикроЦС пока нет: сначала постройте их командой «МикроЦС».");
// The deck check of a text that holds each of the 36 cards once.
inline const QString FullDeckText = QStringLiteral("Колода полная: 36 карт, каждая по одному разу");
