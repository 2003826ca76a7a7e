#pragma once

#include "engine/Cards.h"
#include "mainwindow/ProgramState.h"
#include "platform/Services.h"

#include <QJsonObject>
#include <QStringList>

// The record `micro --json` writes for micro-chain number k: {"cards": the card
// names in order, the target last, "number": k}.
QJsonObject microChainRecord(const TTLKoloda &chain, int number);

// tlcalc-cli micro --efl E --target CARD --count N [--seed S] [--json]: the
// micro-chain search of the "МикроЦС" command. Without --json the report lines as
// the window shows them; with it one JSON object per micro-chain. A command line
// that is not understood, or values the search turns down, end with a message on
// standard error and exit status 2.
int runMicro(const QStringList &arguments, ProgramState &state, platform::Services &services);
