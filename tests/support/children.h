#pragma once
// Tests reach a window's controls as a person finds them: by their name, the one control of
// that name inside the window.

#include <QObject>
#include <QString>
#include <memory>
#include <stdexcept>
#include <string>

template <typename T> T* child(const QObject* parent, const char* name)
{
    const QList<T*> found = parent->findChildren<T*>(QLatin1String(name));
    if (found.size() != 1)
        throw std::logic_error(std::to_string(found.size()) + " controls named \"" + name + "\" in " +
                               parent->objectName().toStdString());
    return found.front();
}

template <typename T, typename Owner> T* child(const std::unique_ptr<Owner>& parent, const char* name)
{
    return child<T>(parent.get(), name);
}
