#include "storyboard.h"

#include "windowcontroller.h"

Storyboard::Storyboard(QString name)
    : m_name(std::move(name))
{
}

void Storyboard::addScene(const QString &identifier, Scene scene)
{
    m_scenes[identifier] = std::move(scene);
}

std::unique_ptr<WindowController> Storyboard::instantiateControllerWithIdentifier(const QString &identifier) const
{
    const auto found = m_scenes.find(identifier);
    if (found == m_scenes.end() || !found->second)
        return nullptr;
    return found->second();
}
