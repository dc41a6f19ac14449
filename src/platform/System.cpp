#include "platform/System.h"

#include "platform/ServiceSlot.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace vb {

QString SystemService::loginName()
{
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString SystemService::localeLanguage()
{
    const QString name = QLocale::system().name(); // e.g. "de_AT"
    return name.section(QLatin1Char('_'), 0, 0).toLower();
}

QString SystemService::decimalSeparator() { return QLocale::system().decimalPoint(); }

bool SystemService::startProgram(const QString& path, const QStringList& args)
{
    return QProcess::startDetached(path, args);
}

void SystemService::sleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

bool ScriptedSystem::startProgram(const QString& path, const QStringList& args)
{
    started.append(args.isEmpty() ? path : path + QLatin1Char(' ') + args.join(QLatin1Char(' ')));
    return true;
}

using SysSlot = ServiceSlot<SystemService>;

SystemService& sys() { return SysSlot::get(); }

std::unique_ptr<SystemService> setSys(std::unique_ptr<SystemService> service) { return SysSlot::set(std::move(service)); }

ScopedScriptedSystem::ScopedScriptedSystem() { m_sys = SysSlot::install<ScriptedSystem>(m_prev); }

ScopedScriptedSystem::~ScopedScriptedSystem() { setSys(std::move(m_prev)); }

void Sleep(int ms) { sys().sleep(ms); }

void DoEvents()
{
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// One settings file per application name, as VB keeps one registry key per application.
QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& deflt)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, app, app);
    return s.value(section + QLatin1Char('/') + key, deflt).toString();
}

void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, app, app);
    s.setValue(section + QLatin1Char('/') + key, value);
    s.sync();
}

} // namespace vb
