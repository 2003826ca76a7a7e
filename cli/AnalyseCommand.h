#pragma once

#include "engine/Cards.h"
#include "engine/DeckCheck.h"
#include "mainwindow/ProgramState.h"
#include "platform/Services.h"
#include "platform/TextGrid.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

// The record `analyse --json` writes for one chain text: the reader and the
// collapse exactly as the analysis run does them, and the deck check.
QJsonObject analyseRecord(const QString &text, const platform::Services &services);

// A grid's rows from row 0 down, each an array of its cells' texts from column 0.
QJsonArray gridRowsJson(const TextGrid &grid);

// {"full": …, "missing": […], "repeated": […], "unknown": […]}.
QJsonObject deckCheckJson(const DeckCheck &check);

// One chain as a person reads it: the collapse line and the per-card results.
QString analyseReport(const QString &text, const platform::Services &services);

// Writes one chain's result to standard output: the record as a JSON line, or
// the report (after a blank line unless first) with the deck check's line on
// standard error when the deck is not full. False once output has failed.
bool writeAnalysis(const QString &text, bool asJson, bool first,
                   const platform::Services &services);

int runAnalyse(const QStringList &arguments, ProgramState &state, platform::Services &services);
