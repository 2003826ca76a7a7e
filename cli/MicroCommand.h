// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandOptions.h"
#include "engine/Cards.h"
#include "platform/Services.h"
#include "search/MicroChainSearch.h"

#include <QJsonObject>
#include <QStringList>

// The name --method and the JSON records give a method: "gat" or "search".
QString microMethodName(MicroMethod method);

// The record `micro --json` writes for micro-chain number k: {"cards": the card
// names in order, the target last, "number": k, "method": its name, "steps":
// {"first": CARD, "second": CARD, "growth": [[r, CARD], ...]}}.
QJsonObject microChainRecord(const TTLKoloda &chain, int number, MicroMethod method,
                             const MicroChainHistory &history);

// The declaration of micro's command line.
CommandDeclaration microDeclaration();

// tlcalc-cli micro --efl E --target CARD --count N [--method gat|search] [--seed S]
// [--max-tries N] [--time-limit SECONDS] [--progress] [--json]: the micro-chain
// search of the "МикроЦС" command, by generate-and-test up to e = 11 and by the
// constructive search from e = 12 unless --method says otherwise. Without --json
// the report lines as the window shows them; with it one JSON object per
// micro-chain. A command line that is not understood, or values the search turns
// down, end with a message on standard error that starts with "tlcalc-cli micro:"
// and exit status 2; a limit that ends the search early, after writing what was
// built, with status 3; a failed write with status 1. The micro-chains go to store.
int runMicro(const QStringList &arguments, MicroChainStore &store, platform::Services &services);
