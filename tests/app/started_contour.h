// A started controller with its windows, scripted dialogs and a scratch program folder.
#pragma once

#include "app/contour.h"
#include "core/bmmain.h"
#include "core/file_association.h"
#include "scripted_dialogs.h"
#include "windows/frm_main.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class StartedContour : public ::testing::Test {
  protected:
    void SetUp() override {
        BMMain::SetAppPath(dir.path());
        BMMain::NetRadius = 100;
        association.SetRunTools(false);
        contour = std::make_unique<Contour>(dialogs, association);
        contour->Initialise(QString());
    }
    void TearDown() override {
        contour.reset();
        EXPECT_TRUE(dialogs.allAnswered());
    }
    void Activate(QWidget* form) {
        contour->FormMain->mdiArea().setActiveSubWindow(
            qobject_cast<QMdiSubWindow*>(form->parentWidget()));
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    FileAssociation association{"/opt/q/qstereo", dir.filePath("share")};
    std::unique_ptr<Contour> contour;
};
