#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QWidget>

// Fixture for widget tests: whatever a test opened must be closed again when it ends.
class QtWidgetTest : public testing::Test {
protected:
    void TearDown() override {
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(window->isVisible())
                << "window left open: " << window->metaObject()->className() << " \""
                << window->windowTitle().toStdString() << "\"";
        }
    }
};
