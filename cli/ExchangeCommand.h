#pragma once

#include "platform/Services.h"

#include <QStringList>

int runExchange(const QStringList &arguments, platform::Services &services);
