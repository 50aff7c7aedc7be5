// A report in a document of its own, under a pinned locale, optionally on a fake
// design surface that records the messages it is asked to show.
#pragma once

#include "support/test_support.h"
#include "core/component.h"
#include "engine/rp_report.h"

#include <QLocale>
#include <QStringList>

#include <gtest/gtest.h>

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) : m_saved(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

class FakeDesignHost : public IRpDesignHost {
public:
    explicit FakeDesignHost(TComponent* owner) : m_owner(owner) {}
    TComponent* designOwner() override { return m_owner; }
    QString uniqueName(const QString& base) override { return names::uniqueName(m_owner, base); }
    void showMessage(const QString& text) override { messages.append(text); }

    QStringList messages;

private:
    TComponent* m_owner;
};

class MetricReport : public ::testing::Test {
protected:
    MetricReport() : locale(QLocale(QLocale::German, QLocale::Germany))
    {
        document.setName(QStringLiteral("frmVelDesign1"));
        report = new TReport(&document);
        report->setNameUnchecked(QStringLiteral("Report"));
    }

    template <class Band = TRpBand>
    Band* addBand(const QString& name, TRpBandType type = TRpBandType::rbDetail)
    {
        auto* band = new Band(&document);
        band->setNameUnchecked(name);
        if constexpr (std::is_same_v<Band, TRpBand>)
            band->setBandType(type);
        band->setParentControl(report);
        return band;
    }

    QStringList bandNames() const
    {
        QStringList result;
        for (TRpCustomBand* band : report->bandList())
            result.append(band->name());
        return result;
    }

    LocaleGuard locale;
    TComponent document;
    TReport* report;
};
