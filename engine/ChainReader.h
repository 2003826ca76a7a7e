#pragma once

#include "Cards.h"
#include "platform/Services.h"

// Reads a chain text into the Cards of Chain: rank letter, suit letter and
// Position of entries 1 to 36, nothing else. Blanks separate cards, "10" is read
// as the ten; nothing is validated. A text shorter than 36 characters shows
// "Цепочка маловата" through the services' message sink and is read all the same.
void ReadChain(const QString &Text, TTLKoloda &Chain, const platform::Services &services);
