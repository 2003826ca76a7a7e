#pragma once

#include "engine/Cards.h"

#include <QJsonObject>
#include <QStringList>

#include <cstdio>

// The record `analyse --json` writes for one chain text: the reader and the
// collapse exactly as the analysis run does them.
QJsonObject analyseRecord(const QString &text);

// One chain as a person reads it: the collapse line and the per-card results.
QString analyseReport(const QString &text);

int runAnalyse(const QStringList &arguments);
