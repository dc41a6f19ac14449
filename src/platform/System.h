#pragma once
// Operating-system services the program uses: login name, locale, the warning
// beep, starting programs, sleeping, letting window events run.
#include <QString>
#include <QStringList>
#include <memory>

namespace vb {

class SystemService {
public:
    virtual ~SystemService() = default;
    virtual QString loginName();          // empty when it cannot be read
    virtual QString localeLanguage();     // ISO 639 name, e.g. "de"
    virtual QString decimalSeparator();   // e.g. ","
    virtual bool beepOn() { return m_beep; }
    virtual void setBeep(bool on) { m_beep = on; } // no system beep switch on Linux
    virtual bool startProgram(const QString& path, const QStringList& args = {});
    virtual void sleep(int ms);

private:
    bool m_beep = true;
};

// Recording variant for tests: fixed answers, started programs kept in a list.
class ScriptedSystem : public SystemService {
public:
    QString login = QStringLiteral("tester");
    QString language = QStringLiteral("de");
    QString decimal = QStringLiteral(",");
    QStringList started;
    QString loginName() override { return login; }
    QString localeLanguage() override { return language; }
    QString decimalSeparator() override { return decimal; }
    bool startProgram(const QString& path, const QStringList& args = {}) override;
    void sleep(int) override {}
};

SystemService& sys();
std::unique_ptr<SystemService> setSys(std::unique_ptr<SystemService> service);

class ScopedScriptedSystem {
public:
    ScopedScriptedSystem();
    ~ScopedScriptedSystem();
    ScriptedSystem* operator->() { return m_sys; }
    ScriptedSystem& operator*() { return *m_sys; }

private:
    ScriptedSystem* m_sys;
    std::unique_ptr<SystemService> m_prev;
};

void Sleep(int ms);
// Lets pending window events run (repaints), but no user input, so no command
// can start in the middle of another.
void DoEvents();

// Per-user settings store (VB's GetSetting/SaveSetting).
QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& deflt = QString());
void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);

} // namespace vb
