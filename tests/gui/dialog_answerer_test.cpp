// The harness itself: the answers reach real modal dialogs of this thread.
#include "dialog_answerer.h"

#include <gtest/gtest.h>

#include <commdlg.h>

#include <cstdio>
#include <string>

namespace {

TEST(DialogAnswerer, AnswersMessageBoxesInOrderAndRecordsTheirTexts) {
    DialogAnswerer answerer;
    answerer.pressButton("First", IDNO);
    answerer.pressButton("Second", IDCANCEL);

    EXPECT_EQ(MessageBoxA(nullptr, "Replace file?", "First", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Another question", "Second", MB_YESNOCANCEL), IDCANCEL);

    EXPECT_TRUE(answerer.allStepsDone());
    ASSERT_EQ(answerer.seenTexts().size(), 2u);
    EXPECT_EQ(answerer.seenTexts()[0], "Replace file?");
    EXPECT_EQ(answerer.seenCaptions()[1], "Second");
}

TEST(DialogAnswerer, TypesAFileNameIntoTheRealOpenDialog) {
    char folder[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
    std::string path = std::string(folder) + "answerer_probe.txt";
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);

    DialogAnswerer answerer;
    answerer.answerFileDialog("Pick a file", path);

    char chosen[MAX_PATH] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.lpstrFilter = "All Files (*.*)\0*.*\0";
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = sizeof(chosen);
    dialog.lpstrTitle = "Pick a file";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_EXPLORER;
    BOOL accepted = GetOpenFileNameA(&dialog);
    DeleteFileA(path.c_str());

    ASSERT_TRUE(accepted) << "CommDlgExtendedError " << CommDlgExtendedError();
    EXPECT_STREQ(chosen, path.c_str());
}

}  // namespace
