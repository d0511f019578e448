// GDI objects with their ownership in the type: the owner deletes the object
// when it goes (see UniqueResource).
#pragma once

#include <windows.h>

#include "uniquehandle.h"

struct GdiObjectTraits {
    using Value = HGDIOBJ;
    static Value invalid() { return nullptr; }
    static bool close(Value object) { return DeleteObject(object) != FALSE; }
};

// A font the program made (CreateFontIndirect) and deletes.
class UniqueFont : public UniqueResource<GdiObjectTraits> {
public:
    UniqueFont() = default;
    explicit UniqueFont(HFONT font) : UniqueResource<GdiObjectTraits>(font) {}
    HFONT font() const { return static_cast<HFONT>(get()); }
};
