#include "core/help_file.h"
#include "test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// An install puts the program in bin/ and the page in share/qstereo/; a build folder or a copy
// of its own keeps the page beside the program, and that copy wins.
TEST(HelpFile, BesideTheProgramFirstThenTheInstalledShareFolder) {
    struct Case {
        bool beside, installed;
        const char* expected; // relative to the prefix
    };
    const Case cases[] = {
        {true, true, "bin/help_st.htm"},
        {true, false, "bin/help_st.htm"},
        {false, true, "share/qstereo/help_st.htm"},
        // Neither: the message names the place beside the program.
        {false, false, "bin/help_st.htm"},
    };
    for (const Case& c : cases) {
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        ASSERT_TRUE(root.mkpath("bin") && root.mkpath("share/qstereo"));
        if (c.beside) {
            ASSERT_TRUE(spit(root.filePath("bin/help_st.htm"), "<html/>"));
        }
        if (c.installed) {
            ASSERT_TRUE(spit(root.filePath("share/qstereo/help_st.htm"), "<html/>"));
        }
        EXPECT_EQ(HelpFile::Path(root.filePath("bin") + "/"), root.filePath(c.expected))
            << "beside " << c.beside << ", installed " << c.installed;
    }
}

TEST(HelpFile, AFolderOfThatNameIsNoHelpPage) {
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath("bin/help_st.htm") && root.mkpath("share/qstereo"));
    ASSERT_TRUE(spit(root.filePath("share/qstereo/help_st.htm"), "<html/>"));
    EXPECT_EQ(HelpFile::Path(root.filePath("bin") + "/"),
              root.filePath("share/qstereo/help_st.htm"));
}
