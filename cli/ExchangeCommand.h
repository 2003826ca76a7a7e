// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/ProgramState.h"
#include "platform/Services.h"

#include <QStringList>

int runExchange(const QStringList &arguments, ProgramState &state, platform::Services &services);
