#include "document/file_kind.h"

namespace filekind {

QString extension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    if (dot < 0 || dot < slash)
        return {};
    return fileName.mid(dot + 1);
}

TVelFileKind of(const QString& fileName)
{
    static const std::pair<const char*, TVelFileKind> kinds[] = {
        {"VTX", TVelFileKind::Vtx}, {"VRP", TVelFileKind::Vrp}, {"VDM", TVelFileKind::Vdm},
        {"RPP", TVelFileKind::Rpp}, {"RPE", TVelFileKind::Rpe}, {"DFM", TVelFileKind::Dfm},
        {"VFD", TVelFileKind::Vfd},
    };
    const QString ext = extension(fileName);
    for (const auto& [name, kind] : kinds) {
        if (ext.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return TVelFileKind::None;
}

} // namespace filekind
