#pragma once

#include "core/BuildInfo.h"

#include <QString>

namespace lgbatch {

enum class Edition
{
    Corporate,
    Personal
};

struct Version
{
    int major = 0;
    int minor = 0;
    int revision = 0;

    // "4.2.3": plain decimals, no padding.
    QString text() const;
};

// The release, from the build's one version number.
inline constexpr Version ProgramVersion{BuildInfo::VersionMajor, BuildInfo::VersionMinor,
                                        BuildInfo::VersionRevision};

// The five "unsaved changes" marks, one per list; cleared by a successful write.
struct ChangedFlags
{
    bool BatchListChanged = false;
    bool PayrollListChanged = false;
    bool BeneRosterChanged = false;
    bool PayerRosterChanged = false;
    bool PayrollRosterChanged = false;
};

// What the whole run shares: the edition chosen at start, the title every message box carries,
// and the changed flags. One instance lives in main() and is handed to whoever needs it.
class ApplicationState
{
public:
    static QString baseTitle();

    // Fixes the edition and appends its suffix to the title. The edition is chosen once per
    // run; a second call changes nothing and returns false.
    bool chooseEdition(Edition edition);

    bool editionChosen() const { return m_chosen; }
    Edition edition() const { return m_edition; }
    bool isCorporate() const { return m_edition == Edition::Corporate; }

    // "澜港银行批量工具", followed by "（企业版）" or "（个人版）" once the edition is chosen.
    QString title() const { return m_title; }

    ChangedFlags &changed() { return m_changed; }
    const ChangedFlags &changed() const { return m_changed; }

private:
    Edition m_edition = Edition::Corporate;
    bool m_chosen = false;
    QString m_title = baseTitle();
    ChangedFlags m_changed;
};

} // namespace lgbatch
