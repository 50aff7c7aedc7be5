// A panel manager on screen (offscreen platform) with helpers that act as the user does:
// pressing, dragging and releasing the mouse on panel tabs.
#pragma once

#include "workspace/managed_panel.h"
#include "workspace/panel_manager.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class PanelManagerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_manager = std::make_unique<TPanelManager>();
        m_manager->resize(600, 10);
        m_manager->move(100, 200);
    }

    TPanelManager& manager() { return *m_manager; }

    void useKind(TPanelKind kind, int width = 600)
    {
        m_manager->setPanelKind(kind);
        m_manager->resize(width, m_manager->height());
    }

    TMPanel* addPanel(QRect bounds, const QString& caption = {})
    {
        auto* panel = new TMPanel(m_manager.get());
        panel->setGeometry(bounds);
        panel->setTabCaption(caption);
        return panel;
    }

    void showManager()
    {
        m_manager->show();
        m_manager->layoutPanels();
    }

    // The middle of the panel's tab or grip, left of the panel.
    QPoint tabOf(const TMPanel* panel) const
    {
        return QPoint(panel->x() - m_manager->tabWidth() / 2, panel->y() + panel->height() / 2);
    }

    void click(QPoint point) { QTest::mouseClick(m_manager.get(), Qt::LeftButton, {}, point); }

    // Presses at from, moves halfway and on to to, and releases there.
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(m_manager.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(m_manager.get(), from + (to - from) / 2);
        QTest::mouseMove(m_manager.get(), to);
        QTest::mouseRelease(m_manager.get(), Qt::LeftButton, {}, to);
    }

    void dragBy(const TMPanel* panel, QPoint distance)
    {
        const QPoint from = tabOf(panel);
        drag(from, from + distance);
    }

    std::unique_ptr<TPanelManager> m_manager;
};
