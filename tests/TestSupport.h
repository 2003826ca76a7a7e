// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <ostream>

// Prints QStrings readably in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// The platform services of one test: a seeded random source, and every message
// a routine shows recorded instead of opened in a box.
class TestServices : public platform::Services
{
public:
    explicit TestServices(std::uint64_t seed = 1) : platform::Services(seed)
    {
        setMessageHandler([this](const QString &text) { messages.append(text); });
    }
    QStringList messages;
};

// The worked-example chains.
inline const QString OrderedDeckText =
    QStringLiteral("6п 7п 8п 9п Xп Вп Дп Кп Тп 6б 7б 8б 9б Xб Вб Дб Кб Тб "
                   "6к 7к 8к 9к Xк Вк Дк Кк Тк 6ч 7ч 8ч 9ч Xч Вч Дч Кч Тч ");
inline const QString NoCollapseText =
    QStringLiteral("6п 6б 7к 7ч 8п 8б 9к 9ч Xп Xб Вк Вч Дп Дб Кк Кч Тп Тб "
                   "6к 6ч 7п 7б 8к 8ч 9п 9б Xк Xч Вп Вб Дк Дч Кп Кб Тк Тч");

// The blank-separated words of a command line, one argument each.
inline QStringList words(const char *line)
{
    return QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
}

// Table cases print by their name rather than as raw bytes.
template <typename Case>
requires requires(const Case &c)
{
    c.name;
}
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}
