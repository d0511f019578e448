// Undo and redo: a step of a document's history taken back or made again.
#pragma once

#include "atlasdocument.h"

// Replays the step that the history takes next in `direction`, exactly:
// entries, every pixel and the size of the atlas, the free space slot for
// slot. Nothing to replay does nothing. Everything the replay needs is
// allocated before the document changes: when it cannot be had, the
// Exception "Unable to undo" or "Unable to redo" leaves all as it was.
EntryNameChanges replayStep(AtlasDocument& document, Replay direction);
