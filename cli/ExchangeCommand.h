// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandOptions.h"
#include "platform/Services.h"

#include <QStringList>

// The declaration of exchange's command line.
CommandDeclaration exchangeDeclaration();

int runExchange(const QStringList &arguments, platform::Services &services);
