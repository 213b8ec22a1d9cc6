#include "core/FormRegistry.h"

#include "platform/MessageBox.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

FormRegistry &FormRegistry::instance()
{
    static FormRegistry registry;
    return registry;
}

void FormRegistry::add(Form *form)
{
    forms_.emplace_back(form);
    connect(form, &Form::closeRequested, this, [this, form] { unload(form); });
}

Form *FormRegistry::lookUp(const char *className) const
{
    for (const QPointer<Form> &form : forms_) {
        if (form != nullptr && qstrcmp(form->metaObject()->className(), className) == 0) {
            return form.data();
        }
    }
    return nullptr;
}

namespace {

// In the order of WindowKind.
constexpr const char *classNames[] = {"MainForm",      "PlayListForm", "FolderForm", "FolderSearchForm",
                                      "QuickHelpForm", "VersionForm",  "OptionForm", "VersionStatusForm"};
static_assert(std::size(classNames) == WindowKindCount);

const char *className(WindowKind kind)
{
    return classNames[static_cast<std::size_t>(kind)];
}

} // namespace

void FormRegistry::setLoader(WindowKind kind, std::function<Form &()> loader)
{
    loaders_[static_cast<std::size_t>(kind)] = std::move(loader);
}

Form &FormRegistry::load(WindowKind kind)
{
    const std::function<Form &()> &loader = loaders_[static_cast<std::size_t>(kind)];
    if (!loader) {
        qFatal("No loader for the window %s", className(kind));
    }
    return loader();
}

Form *FormRegistry::find(WindowKind kind) const
{
    return lookUp(className(kind));
}

void FormRegistry::unload(WindowKind kind)
{
    if (Form *form = find(kind)) {
        unload(form);
    }
}

bool FormRegistry::isLoaded(const Form *form) const
{
    return std::find(forms_.begin(), forms_.end(), form) != forms_.end();
}

int FormRegistry::loadedCount() const
{
    return static_cast<int>(forms_.size());
}

void FormRegistry::unload(Form *form)
{
    auto it = std::find(forms_.begin(), forms_.end(), form);
    if (it == forms_.end()) {
        return;
    }
    // Forget it first, so an unload handler that unloads other windows (or
    // asks about this one) sees it gone.
    forms_.erase(it);
    form->Form_Unload();
    form->hide();
    emit form->unloaded();
    // Its boxes close; a box waiting in its event loop must not lose its window under it.
    platform::closeOpenMessages(form);
    platform::whenNoMessageIsOpen([gone = QPointer<Form>(form)] {
        if (gone) {
            gone->deleteLater();
        }
    });
    if (forms_.empty()) {
        emit lastFormUnloaded();
    }
}

void FormRegistry::unloadAll()
{
    while (!forms_.empty()) {
        Form *newest = forms_.back().data();
        if (newest == nullptr) {
            forms_.pop_back();
            if (forms_.empty()) {
                emit lastFormUnloaded();
            }
            continue;
        }
        unload(newest);
    }
}
