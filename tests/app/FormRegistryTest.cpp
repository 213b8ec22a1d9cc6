#include "app/FormRegistry.h"
#include "support/TestEnvironment.h"

#include <QPointer>
#include <QSignalSpy>

namespace {

QStringList &events()
{
    static QStringList e;
    return e;
}

class FirstForm : public Form {
public:
    void Form_Load() override { events() << QStringLiteral("load first"); }
    void Form_Unload() override { events() << QStringLiteral("unload first"); }
};

class SelfUnloadingForm : public Form {
public:
    void Form_Load() override { FormRegistry::instance().unload(this); }
};

class FormRegistryTest : public CleanStateTest {
protected:
    void SetUp() override
    {
        CleanStateTest::SetUp();
        events().clear();
    }
};

} // namespace

TEST_F(FormRegistryTest, OneInstanceLoadsOnceAndTheLastUnloadEndsTheProgram)
{
    FormRegistry &forms = FormRegistry::instance();
    QSignalSpy ended(&forms, &FormRegistry::lastFormUnloaded);
    FirstForm &a = forms.load<FirstForm>();
    FirstForm &b = forms.load<FirstForm>();
    EXPECT_EQ(&a, &b);
    EXPECT_EQ(forms.loadedCount(), 1);
    a.hide();
    EXPECT_TRUE(forms.isLoaded(&a)) << "hiding is not unloading";
    EXPECT_EQ(ended.count(), 0);

    a.close();
    EXPECT_EQ(forms.find<FirstForm>(), nullptr);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(events(), (QStringList{"load first", "unload first"}));
}

TEST_F(FormRegistryTest, AWindowMayUnloadItselfDuringItsLoad)
{
    FormRegistry &forms = FormRegistry::instance();
    QSignalSpy ended(&forms, &FormRegistry::lastFormUnloaded);
    QPointer<SelfUnloadingForm> form = &forms.load<SelfUnloadingForm>();
    EXPECT_EQ(forms.loadedCount(), 0);
    EXPECT_EQ(ended.count(), 1);
    TestEnvironment::flushEvents();
    EXPECT_TRUE(form.isNull()) << "an unloaded window is destroyed";
}
