// A fixture for the document tests: the storable classes registered, a temporary folder,
// the shown messages collected, and the application's datamodules closed afterwards.
#pragma once

#include "core/stream/stream_error.h"
#include "document/class_registration.h"
#include "document/document_messages.h"
#include "document/vel_application.h"
#include "document/vel_design.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class DocumentTest : public testing::Test {
protected:
    void SetUp() override
    {
        classregistration::registerStorableClasses();
        ASSERT_TRUE(folder.isValid());
        m_previous = docmessages::setHandler([this](const QString& text) { messages.append(text); });
    }

    void TearDown() override
    {
        docmessages::setHandler(std::move(m_previous));
        TVelApplication::instance().closeAll();
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    QStringList messages;

private:
    docmessages::Handler m_previous;
};
