// The registry of classes that stored documents may contain, and the palette pages that
// offer some of them for placing. Filled once at start-up; nothing outside it can be
// read from a file or created by a script.
#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class TComponent;

struct TClassInfo {
    const QMetaObject* metaObject = nullptr;
    std::function<TComponent*(TComponent* owner)> create;

    template <class T>
    static TClassInfo of()
    {
        return {&T::staticMetaObject, [](TComponent* owner) -> TComponent* { return new T(owner); }};
    }
};

struct TPaletteEntry {
    const QMetaObject* metaObject = nullptr;
    QString caption;
    int imageIndex = -1;

    QString className() const { return QString::fromLatin1(metaObject->className()); }
};

struct TClassDescription {
    bool found = false;
    QString caption;
    int imageIndex = 0;
};

class TClassRegistry {
public:
    static TClassRegistry& instance();

    // Adds each class to the storable set and, with a page name, to the end of that page
    // (created at the end of the page list when new), loading its image.
    void registerClasses(const QString& page, const QList<TClassInfo>& classes);
    template <class... T>
    void registerClasses(const QString& page)
    {
        registerClasses(page, {TClassInfo::of<T>()...});
    }

    bool isRegistered(QStringView className) const;
    const QMetaObject* findClass(QStringView className) const;
    // A new component of a registered class; null for an unknown class.
    TComponent* create(QStringView className, TComponent* owner) const;

    // The caption becomes the UI string of `stringId`, or the class name when it is empty.
    void setCaption(QStringView className, int stringId);
    TClassDescription describe(QStringView className) const;
    // Moves the entry to the front of the page (created at the front when new).
    void move(const QString& page, QStringView className);

    int pageCount() const { return int(m_pages.size()); }
    QString pageName(int page) const;
    int entryCount(int page) const;
    std::optional<TPaletteEntry> entry(int page, int index) const;
    QString className(int page, int index) const;

    const QList<QImage>& images() const { return m_images; }

    // Where captions come from; the UI string table by default once it is installed.
    void setStringSource(std::function<QString(int)> source) { m_strings = std::move(source); }
    // Where class images come from: the image named like the class, or a null image.
    void setImageSource(std::function<QImage(const QString&)> source) { m_imageSource = std::move(source); }

    // Empties the registry (the three arrow images stay); for tests and re-initialisation.
    void clear();

private:
    TClassRegistry();

    struct Page {
        QString name;
        QList<TPaletteEntry> entries;
    };

    int findPage(const QString& name) const;
    TPaletteEntry* findEntry(QStringView className, int* pageIndex = nullptr);
    int addImage(const QString& name);

    QList<TClassInfo> m_classes;
    QList<Page> m_pages;
    QList<QImage> m_images;
    std::function<QString(int)> m_strings;
    std::function<QImage(const QString&)> m_imageSource;
};
