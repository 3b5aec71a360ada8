// A main window on scripted dialogs, with every MenuClick it raises recorded.
#pragma once

#include "scripted_dialogs.h"
#include "tabula.h"
#include "core/file_association.h"
#include "windows/frm_main.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<frmMain>(dialogs, association);
        QObject::connect(window.get(), &frmMain::MenuClick,
                         [this](int index) { clicks.push_back(index); });
    }

    Tabula& grid() const { return window->grdData(); }

    QTemporaryDir data;
    ScriptedDialogs dialogs;
    FileAssociation association{QStringLiteral("/opt/qstereo/qstereo"), data.path()};
    std::unique_ptr<frmMain> window;
    std::vector<int> clicks;
};
