// When a trigger sphere first shows: the first tick of a range at which a node is visible.
#pragma once

#include "host/inode.h"

// The first tick t with start <= t < end at which node->GetVisibility(t) > 0, exactly as a
// tick-by-tick scan finds it; without one, where that scan stops: `end`, or `start` when the range
// is empty. Linear and step visibility tracks are read from their keys (a few evaluations per key,
// whatever the length of the range); a track of another kind is scanned tick by tick.
TimeValue FirstVisibleTick(INode* node, TimeValue start, TimeValue end);
