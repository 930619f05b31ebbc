#include "storyboard.h"

#include "windowcontroller.h"

namespace {

std::map<QString, std::shared_ptr<const Storyboard>> &provided()
{
    static std::map<QString, std::shared_ptr<const Storyboard>> storyboards;
    return storyboards;
}

} // namespace

Storyboard::Storyboard(QString name)
    : m_name(std::move(name))
{
}

void Storyboard::setInitialScene(Scene scene)
{
    m_initialScene = std::move(scene);
}

void Storyboard::addScene(const QString &identifier, Scene scene)
{
    m_scenes[identifier] = std::move(scene);
}

std::unique_ptr<WindowController> Storyboard::instantiateInitialController() const
{
    return m_initialScene ? m_initialScene() : nullptr;
}

std::unique_ptr<WindowController> Storyboard::instantiateControllerWithIdentifier(const QString &identifier) const
{
    const auto found = m_scenes.find(identifier);
    if (found == m_scenes.end() || !found->second)
        return nullptr;
    return found->second();
}

void Storyboard::provide(std::shared_ptr<const Storyboard> storyboard)
{
    if (storyboard)
        provided()[storyboard->name()] = std::move(storyboard);
}

void Storyboard::withdraw(const QString &name)
{
    provided().erase(name);
}

std::shared_ptr<const Storyboard> Storyboard::storyboardWithName(const QString &name)
{
    const auto found = provided().find(name);
    return found == provided().end() ? nullptr : found->second;
}
