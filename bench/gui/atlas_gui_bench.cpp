// PXAEditor at production size: opening pairs of 10,000 and 50,000 entries,
// extracting 3,000 entries (and pxatool extracting as many), inserting 1,000
// images, deleting every entry, undoing and redoing both; the atlas view of
// an 8192 x 8192 atlas of 10,000 entries. The real
// windows run shown; the file dialogs, the folder browser and the prompts are
// answered at once from a script.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "atlasimage.h"
#include "bitmap.h"
#include "documentcommands.h"
#include "editorapp.h"
#include "filepairtestseam.h"
#include "guibench.h"
#include "indexwriter.h"
#include "mainwindow.h"
#include "pxaeditor_resource.h"
#include "renderer.h"
#include "safefile.h"

namespace {

const char program[] = "PXAEditor";

struct Script {
    std::deque<std::string> fileAnswers;  // "folder\0name\0name" for several files
    std::string folder;
    std::vector<std::string> messages;
};

Script& script() {
    static Script instance;
    return instance;
}

int answerMessageBox(HWND, const char* text, const char*, UINT type) {
    script().messages.push_back(text != nullptr ? text : "");
    return (type & MB_YESNOCANCEL) == MB_YESNOCANCEL ? IDNO : IDOK;  // prompts: drop the changes
}

BOOL answerOpenDialog(OPENFILENAMEA* dialog) {
    if (script().fileAnswers.empty()) {
        return FALSE;
    }
    const std::string answer = script().fileAnswers.front() + std::string(2, '\0');
    script().fileAnswers.pop_front();
    if (answer.size() > dialog->nMaxFile) {
        return FALSE;
    }
    std::copy(answer.begin(), answer.end(), dialog->lpstrFile);
    return TRUE;
}

BOOL cancelDialog(OPENFILENAMEA*) { return FALSE; }
DWORD noDialogError() { return 0; }

bool answerFolder(HWND, const char*, std::string& folder) {
    folder = script().folder;
    return true;
}

void noContextMenu(HMENU, int, int, HWND) {}

ModalUi scriptedUi() {
    return {answerMessageBox, answerOpenDialog, cancelDialog, noDialogError, answerFolder, noContextMenu};
}

// Names of the kinds modders give sprites: letters, digits, punctuation and
// a few bytes above 0x7F.
std::string entryName(std::uint32_t i) {
    static const char* const prefixes[] = {"TREE_",
                                           "ROCK-",
                                           "HERO ",
                                           "FX.",
                                           "UI_BTN_",
                                           "TILE",
                                           "_SHADOW",
                                           "\xC9P\xC9"
                                           "E_"};
    static const char* const suffixes[] = {".PNG", ".TGA", "_2.PNG", "-B.BMP"};
    char name[64];
    std::snprintf(name, sizeof(name), "%s%05u%s", prefixes[i % 8], i / 8, suffixes[(i / 3) % 4]);
    return name;
}

struct Pair {
    std::string index;
    std::string image;
};

// An atlas whose entries are 8 x 8 images in 10 x 10 cells, row by row; the
// index holds them in shuffled order, as files made by other tools do.
Pair writePair(const TemporaryFolder& folder, std::uint32_t count, int width, int height) {
    const std::string stem = "pair" + std::to_string(count);
    Pair pair{folder.path(stem + ".pxa"), folder.path(stem + ".tga")};
    const UniqueBitmap atlas(FreeImage_Allocate(width, height, 32, 0, 0, 0));
    FreeImage_Save(FIF_TARGA, atlas.get(), pair.image.c_str(), 0);
    std::vector<std::uint32_t> order(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    std::shuffle(order.begin(), order.end(), std::mt19937(count));
    const std::uint32_t columns = static_cast<std::uint32_t>(width) / 10;
    std::vector<IndexRecordSpec> records;
    for (std::uint32_t i : order) {
        records.push_back({entryName(i), {(i % columns) * 10 + 1, (i / columns) * 10 + 1, 8, 8, 1}});
    }
    writeFileBytes(pair.index, indexBytes(records));
    return pair;
}

// The largest atlas, 8192 x 8192, with `count` entries of 64 x 64 spread over
// it in cells of 80 x 80, their pixels half-transparent noise.
Pair writeLargeAtlas(const TemporaryFolder& folder, std::uint32_t count) {
    const int side = 8192;
    Pair pair{folder.path("large.pxa"), folder.path("large.tga")};
    const UniqueBitmap atlas(FreeImage_Allocate(side, side, 32, 0, 0, 0));
    std::mt19937 random(3);
    BYTE* bits = FreeImage_GetBits(atlas.get());
    for (unsigned row = 0; row < side; row += 97) {  // some rows, so that the file stays small
        for (unsigned byte = 0; byte < FreeImage_GetPitch(atlas.get()); ++byte) {
            bits[row * FreeImage_GetPitch(atlas.get()) + byte] = static_cast<BYTE>(random() | 0x80);
        }
    }
    FreeImage_Save(FIF_TARGA, atlas.get(), pair.image.c_str(), TARGA_SAVE_RLE);
    const std::uint32_t columns = side / 80;
    std::vector<IndexRecordSpec> records;
    for (std::uint32_t i = 0; i < count; ++i) {
        records.push_back({entryName(i), {(i % columns) * 80 + 1, (i / columns) * 80 + 1, 64, 64, 1}});
    }
    writeFileBytes(pair.index, indexBytes(records));
    return pair;
}

struct Images {
    std::string answer;  // what a multi-select file dialog gives for all of them
    std::vector<std::string> paths;
};

// `count` PNG files of 8 x 8 pixels in their own folder.
Images writeImages(const TemporaryFolder& folder, std::uint32_t count) {
    const std::string images = folder.path("images");
    std::filesystem::create_directories(images);
    Images written{images, {}};
    std::mt19937 random(7);
    for (std::uint32_t i = 0; i < count; ++i) {
        const UniqueBitmap image(FreeImage_Allocate(8, 8, 32, 0, 0, 0));
        BYTE* bits = FreeImage_GetBits(image.get());
        for (unsigned byte = 0; byte < FreeImage_GetPitch(image.get()) * 8; ++byte) {
            bits[byte] = static_cast<BYTE>(random());
        }
        char name[32];
        std::snprintf(name, sizeof(name), "new_%04u.png", i);
        written.paths.push_back(images + "\\" + name);
        FreeImage_Save(FIF_PNG, image.get(), written.paths.back().c_str(), 0);
        written.answer += std::string(1, '\0') + name;
    }
    return written;
}

int itemCount(const EditorApp& app) { return static_cast<int>(SendMessageA(app.entryList, LVM_GETITEMCOUNT, 0, 0)); }

void command(const EditorApp& app, WORD id) { SendMessageA(app.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void selectFirstItems(const EditorApp& app, int count) {
    LVITEMA state = {};
    state.state = LVIS_SELECTED;
    state.stateMask = LVIS_SELECTED;
    for (int item = 0; item < count; ++item) {
        SendMessageA(app.entryList, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    }
}

void expect(bool holds, const char* what) { reportOutcome(holds, what, script().messages); }

void openPair(EditorApp& app, const Pair& pair, std::uint32_t count) {
    // The document without any window, for the share of the window code.
    measure(program, "open pair, document alone", count, "entries", app.mainWindow,
            [&] { FilePair alone(pair.index, pair.image); });
    script().fileAnswers = {pair.index, pair.image};
    const std::size_t before = privateBytes();
    measure(program, "open pair", count, "entries", app.mainWindow, [&] { command(app, ID_FILE_OPEN); });
    reportMemory(program, "memory for document and list", count, "entries", privateBytes() - before);
    expect(itemCount(app) == static_cast<int>(count), "not every entry is listed");
}

// Extraction as it was before new files were written in place: a look for
// the file, then a staged file renamed into place, each step a look-up of a
// name not yet there, which Wine answers by reading the whole folder.
void extractTheEarlierWay(const FilePair& pair, const std::string& folder) {
    for (const auto& [name, entry] : pair.entries()) {
        const std::string target = folder + "\\" + name;
        if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
            saveBitmapSafely(copyEntryPixels(entry, bitmapOf(pair)).get(), target, formatForSaving(target, -1),
                             FlushRule::WhenReplacing, Journal::None);
        }
    }
}

// pxatool extract of every entry of the pair into an empty folder, as a
// user runs it.
bool runPxatoolExtract(const Pair& pair, const std::string& folder) {
    std::string line = std::string("\"") + PXATOOL_PATH + "\" extract \"" + pair.index + "\" \"" + pair.image +
                       "\" \"" + folder + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    startup.hStdOutput = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     &inherited, OPEN_EXISTING, 0, nullptr);
    startup.hStdInput = startup.hStdOutput;
    startup.hStdError = startup.hStdOutput;
    PROCESS_INFORMATION process = {};
    const bool started =
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process) != FALSE;
    DWORD exitCode = 1;
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(startup.hStdOutput);
    return exitCode == 0;
}

// 3,000 entries written out by the editor, by pxatool and the earlier way,
// each into an empty folder of its own.
void extractThreeThousand(EditorApp& app, const TemporaryFolder& folder) {
    const Pair pair3k = writePair(folder, 3000, 1024, 1024);
    for (const char* name : {"earlier", "pxatool", "editor"}) {
        std::filesystem::create_directories(folder.path(std::string("extract-") + name));
    }
    {
        const FilePair alone(pair3k.index, pair3k.image);
        measure(program, "extract, the earlier way (baseline)", 3000, "entries", app.mainWindow,
                [&] { extractTheEarlierWay(alone, folder.path("extract-earlier")); });
    }
    bool extracted = false;
    measure("pxatool", "extract every entry", 3000, "entries", app.mainWindow,
            [&] { extracted = runPxatoolExtract(pair3k, folder.path("extract-pxatool")); });
    const auto filesIn = [](const std::string& path) {
        const std::filesystem::directory_iterator files(path);
        return std::distance(std::filesystem::begin(files), std::filesystem::end(files));
    };
    expect(extracted && filesIn(folder.path("extract-pxatool")) == 3000, "pxatool extract failed");

    script().folder = folder.path("extract-editor");
    selectFirstItems(app, 3000);
    measure(program, "extract selected entries", 3000, "entries", app.mainWindow,
            [&] { command(app, ID_EDIT_EXTRACT_FILES); });
    expect(script().messages == std::vector<std::string>{"The selected files have been extracted"},
           "the extraction did not report success");
}

// Undo, then redo, of the step just made; the list holds `undone` items
// after the undo and `redone` after the redo.
void undoAndRedo(EditorApp& app, const std::string& what, std::size_t size, const char* unit, int undone, int redone) {
    measure(program, ("undo " + what).c_str(), size, unit, app.mainWindow, [&] { command(app, ID_EDIT_UNDO); });
    expect(itemCount(app) == undone && app.document->entries().size() == static_cast<std::size_t>(undone),
           "the undo left other entries");
    measure(program, ("redo " + what).c_str(), size, unit, app.mainWindow, [&] { command(app, ID_EDIT_REDO); });
    expect(itemCount(app) == redone && app.document->entries().size() == static_cast<std::size_t>(redone),
           "the redo left other entries");
}

// Switching to the atlas view composes the scaled atlas once; a repaint after
// that (a change of selection, a window passing over it) draws from that
// copy, which the baseline, a repaint after a change of the document, cannot.
void atlasView(EditorApp& app, const Pair& pair, std::uint32_t count) {
    script().fileAnswers = {pair.index, pair.image};
    command(app, ID_FILE_OPEN);
    pumpMessages(app.mainWindow);
    expect(itemCount(app) == static_cast<int>(count), "the large atlas did not open");
    measure(program, "switch to the atlas view, 8192 x 8192", count, "entries", app.mainWindow,
            [&] { command(app, ID_VIEW_ATLAS); });
    measure(program, "repaint the atlas view", count, "entries", app.mainWindow, [&] {
        InvalidateRect(app.renderer, nullptr, FALSE);
        UpdateWindow(app.renderer);
    });
    measure(program, "repaint after a change (baseline)", count, "entries", app.mainWindow, [&] {
        RefreshPicture(app);
        UpdateWindow(app.renderer);
    });
    command(app, ID_EDIT_SELECT_ALL);
    pumpMessages(app.mainWindow);
    measure(program, "repaint, every entry selected", count, "entries", app.mainWindow, [&] {
        InvalidateRect(app.renderer, nullptr, FALSE);
        UpdateWindow(app.renderer);
    });
    measure(program, "zoom in, atlas view", count, "entries", app.mainWindow, [&] { command(app, ID_VIEW_ZOOM_IN); });
    command(app, ID_VIEW_ATLAS);
}

}  // namespace

int main() {
    TemporaryFolder folder("pxa_gui_bench_");
    const Pair pair10k = writePair(folder, 10000, 1024, 1024);
    const Pair pair50k = writePair(folder, 50000, 2048, 2560);
    const Images images = writeImages(folder, 1000);

    EditorApp app;
    app.ui = scriptedUi();
    BuildImageTypeLists(app.readableTypes, app.writableTypes);
    app.instance = GetModuleHandleA(nullptr);
    CreateWindows(app);
    NewDocument(app);
    ShowWindow(app.mainWindow, SW_SHOW);
    pumpMessages(app.mainWindow);

    openPair(app, pair10k, 10000);
    extractThreeThousand(app, folder);

    {
        // The document without any window, for the share of the window code.
        FilePair alone(pair10k.index, pair10k.image);
        std::vector<std::string> paths = images.paths;
        measure(program, "insert files, document alone", 1000, "files", app.mainWindow,
                [&] { alone.insertFiles(paths); });
    }
    script().fileAnswers = {images.answer};
    measure(program, "insert files into 10,000 entries", 1000, "files", app.mainWindow,
            [&] { command(app, ID_EDIT_INSERT_FILES); });
    expect(itemCount(app) == 11000, "not every inserted file is listed");
    undoAndRedo(app, "insert files", 1000, "files", 10000, 11000);

    const int all = itemCount(app);
    measure(program, "select all, delete", static_cast<std::size_t>(all), "entries", app.mainWindow, [&] {
        command(app, ID_EDIT_SELECT_ALL);
        command(app, ID_EDIT_DELETE_FILES);
    });
    expect(itemCount(app) == 0 && app.document->entries().empty(), "entries are left");
    undoAndRedo(app, "select all, delete", static_cast<std::size_t>(all), "entries", all, 0);

    openPair(app, pair50k, 50000);

    const Pair large = writeLargeAtlas(folder, 10000);
    atlasView(app, large, 10000);

    ReleaseApp(app);
    return 0;
}
