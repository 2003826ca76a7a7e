// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpText.h"

QStringList hexagramHelpLines()
{
    // Short lines on purpose: the help window is only 400 px wide and does not wrap.
    return {
        QStringLiteral("Гексаграмма складывается из шести черт и"),
        QStringLiteral("читается снизу вверх, от первой к шестой."),
        QString(),
        QStringLiteral("1-я черта: намерение, исходный порыв — «хочу»."),
        QStringLiteral("2-я черта: внутренняя среда, свои силы"),
        QStringLiteral("   и средства — «могу»."),
        QStringLiteral("3-я черта: способ, которым порыв"),
        QStringLiteral("   воплощается в действие — «делаю»."),
        QStringLiteral("4-я черта: внешняя среда, посредники и люди,"),
        QStringLiteral("   через которых идёт дело."),
        QStringLiteral("5-я черта: закон, правило или выбранный"),
        QStringLiteral("   образец, по которому строится дело."),
        QStringLiteral("6-я черта: энергия, внешний ход событий."),
        QString(),
        QStringLiteral("Первые три черты образуют внутреннюю сферу:"),
        QStringLiteral("то, что зависит от самого человека."),
        QStringLiteral("Последние три черты образуют внешнюю сферу:"),
        QStringLiteral("то, что приходит извне и с чем приходится"),
        QStringLiteral("считаться."),
    };
}
