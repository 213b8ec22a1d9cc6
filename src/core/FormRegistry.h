#pragma once

#include "core/Form.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <cstddef>
#include <functional>
#include <typeindex>
#include <vector>

// The windows that code on a lower floor opens or looks at without knowing their classes.
enum class WindowKind {
    MainForm,
    PlayListForm,
    FolderForm,
    FolderSearchForm,
    QuickHelpForm,
    VersionForm,
    OptionForm,
    VersionStatusForm
};
inline constexpr std::size_t WindowKindCount = static_cast<std::size_t>(WindowKind::VersionStatusForm) + 1;

// One instance of each window. The program ends when no window is loaded.
class FormRegistry : public QObject {
    Q_OBJECT
public:
    static FormRegistry &instance();

    // The loaded instance, created and loaded first when needed.
    template <class T> T &load()
    {
        if (T *existing = find<T>()) {
            return *existing;
        }
        auto *form = new T();
        add(typeid(T), form);
        form->Form_Load();
        if (isLoaded(form)) {
            emit formLoaded(form);
        }
        return *form;
    }

    template <class T> T *find() const { return static_cast<T *>(lookUp(typeid(T))); }

    template <class T> void unload()
    {
        if (T *form = find<T>()) {
            unload(form);
        }
    }

    // The floor that knows a window's class says how it is loaded; finding and
    // unloading go by the class name and need no loader.
    void setLoader(WindowKind kind, std::function<Form &()> loader);
    Form &load(WindowKind kind);
    Form *find(WindowKind kind) const;
    void unload(WindowKind kind);

    // Runs the window's unload, forgets it and destroys it once control returns
    // to the event loop (it may be unloading itself from one of its handlers).
    void unload(Form *form);
    bool isLoaded(const Form *form) const;
    int loadedCount() const;

    // Unloads every window still loaded, newest first.
    void unloadAll();

signals:
    void formLoaded(Form *form);
    void lastFormUnloaded();

private:
    struct Slot {
        std::type_index type;
        QPointer<Form> form;
    };

    void add(std::type_index type, Form *form);
    Form *lookUp(std::type_index type) const;

    std::vector<Slot> forms_;
    std::array<std::function<Form &()>, WindowKindCount> loaders_;
};
