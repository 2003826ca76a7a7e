// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandOptions.h"
#include "engine/Cards.h"
#include "platform/Services.h"
#include "platform/TextGrid.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <string_view>

// The record `analyse --json` writes for one chain text: the reader and the
// collapse exactly as the analysis run does them, and the deck check.
QJsonObject analyseRecord(const QString &text, const platform::Services &services);

// A grid's rows from row 0 down, each an array of its cells' texts from column 0.
QJsonArray gridRowsJson(const TextGrid &grid);

// One chain as a person reads it: the collapse line and the per-card results.
QString analyseReport(const QString &text, const platform::Services &services);

// Writes what AnalyseLineWorker gave for some lines: the standard output bytes,
// flushed at once, then the standard error bytes. False once output has failed.
bool writeAnalysisOutput(std::string_view out, std::string_view err);

// The declaration of analyse's command line.
CommandDeclaration analyseDeclaration();

int runAnalyse(const QStringList &arguments, platform::Services &services);
