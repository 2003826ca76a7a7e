// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawings/CompassWalk.h"
#include "drawings/DrawingsGeometry.h"
#include "engine/ChainState.h"
#include "search/ChainGenerator.h"
#include "search/MicroChainSearch.h"

// Everything the windows keep for the length of a run, in one object that the
// main window owns and hands on. Each part keeps the names the windows have
// always used (state.CurrentChain, state.TriedVariants, state.StepCounter…), and a
// routine that needs only one part takes only that part; the command line makes
// only the parts its command reads. The ordered deck is built with the state. The
// micro-chain store is large: keep the state on the heap.
struct ProgramState : ChainState, GeneratorState, MicroChainStore, CompassState, DrawingsState
{
};
