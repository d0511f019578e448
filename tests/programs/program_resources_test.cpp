// What both editors' executables carry for Windows: the manifest, the
// version resource and the icon, read from the files as Explorer reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct Program {
    const char* path;
    int iconId;
    const char* fileName;
};

const Program programs[] = {{PXA_EDITOR, 101, "PXAEditor.exe"}, {STRING_TABLE_EDITOR, 103, "StringTableEditor.exe"}};

struct ModuleFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LoadedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

LoadedModule loadResources(const char* path) {
    return LoadedModule(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

std::string resourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const char* data = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return data != nullptr ? std::string(data, SizeofResource(module, found)) : std::string();
}

std::string versionString(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) {
        return std::string();
    }
    return std::string(value);
}

}  // namespace

// Common Controls 6, per-monitor DPI awareness (v2) falling back to system
// awareness, Windows 7 to 11, and the user's own rights.
TEST(ProgramResources, TheManifestAsksForModernControlsDpiAwarenessAndNoElevation) {
    const char* const expected[] = {
        R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
        ">PerMonitorV2, System</dpiAwareness>",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
        R"(level="asInvoker")",
    };
    for (const Program& program : programs) {
        SCOPED_TRACE(program.fileName);
        const LoadedModule module = loadResources(program.path);
        ASSERT_TRUE(module);
        const std::string manifest = resourceBytes(module.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        for (const char* piece : expected) {
            EXPECT_NE(manifest.find(piece), std::string::npos) << piece;
        }
    }
}

TEST(ProgramResources, TheVersionResourceCarriesTheProjectsVersion) {
    for (const Program& program : programs) {
        SCOPED_TRACE(program.fileName);
        DWORD handle = 0;
        std::vector<char> info(GetFileVersionInfoSizeA(program.path, &handle));
        ASSERT_FALSE(info.empty());
        ASSERT_TRUE(GetFileVersionInfoA(program.path, 0, static_cast<DWORD>(info.size()), info.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        const std::string version = PXA_VERSION;
        const unsigned major = std::stoul(version);
        const unsigned minor = std::stoul(version.substr(version.find('.') + 1));
        EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(minor, major));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(versionString(info, "ProductVersion"), version);
        EXPECT_EQ(versionString(info, "FileVersion").rfind(version, 0), 0u);
        EXPECT_EQ(versionString(info, "OriginalFilename"), program.fileName);
        EXPECT_FALSE(versionString(info, "FileDescription").empty());
        EXPECT_FALSE(versionString(info, "LegalCopyright").empty());
    }
}

// Every size from the small icon of a title bar to Explorer's largest view,
// in 32-bit colour with alpha.
TEST(ProgramResources, TheIconComesInTheUsualSizesFrom16To256) {
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    for (const Program& program : programs) {
        SCOPED_TRACE(program.fileName);
        const LoadedModule module = loadResources(program.path);
        ASSERT_TRUE(module);
        const std::string group = resourceBytes(module.get(), MAKEINTRESOURCEA(program.iconId), RT_GROUP_ICON);
        ASSERT_GE(group.size(), 6u);
        const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
        ASSERT_EQ(group.size(), 6 + count * sizeof(GroupEntry));
        std::set<int> sizes;
        for (WORD i = 0; i < count; ++i) {
            const auto* entry = reinterpret_cast<const GroupEntry*>(group.data() + 6 + i * sizeof(GroupEntry));
            const int size = entry->width == 0 ? 256 : entry->width;
            EXPECT_EQ(entry->bitCount, 32) << size;
            sizes.insert(size);
            const std::string image = resourceBytes(module.get(), MAKEINTRESOURCEA(entry->id), RT_ICON);
            EXPECT_EQ(image.size(), entry->bytes) << size;
        }
        for (int size : {16, 24, 32, 48, 256}) {
            EXPECT_EQ(sizes.count(size), 1u) << size;
        }
    }
}
