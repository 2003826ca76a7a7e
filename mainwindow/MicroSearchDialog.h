#pragma once

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QSpinBox;

// How the "МикроЦС" command builds its micro-chains: by the random generate-and-
// test of old, or by a constructive search with backtracking, which finds long
// micro-chains where random attempts almost never succeed.
enum class MicroMethodChoice
{
    GenerateAndTest,
    Search,
};

// From this EFL on, random attempts succeed so rarely that the search is proposed.
inline constexpr int MicroSearchProposedFromEfl = 12;

// The method proposed for an EFL; an EFL not known (0 or below) proposes the
// random generate-and-test.
MicroMethodChoice proposedMicroMethod(int efl);

// The question the "МикроЦС" menu item asks: how many micro-chains (a whole
// number from 1 to 500) and by which method.
class MicroSearchDialog : public QDialog
{
    Q_OBJECT
public:
    MicroSearchDialog(int count, MicroMethodChoice method, QWidget *parent = nullptr);

    int count() const;
    MicroMethodChoice method() const;

    QSpinBox *Count = nullptr;
    QComboBox *Method = nullptr;
    QDialogButtonBox *Buttons = nullptr;
};
