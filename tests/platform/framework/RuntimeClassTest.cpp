#include "TestClasses.h"

#include <cstring>
#include <memory>

namespace {

struct NamedClass {
    const char* name;
    CRuntimeClass* base;   // what the made object must be
};

class RuntimeClassTest : public ::testing::TestWithParam<NamedClass> {};

TEST_P(RuntimeClassTest, ClassFoundByNameCreatesAnObjectOfThatClass)
{
    CRuntimeClass* pClass = CRuntimeClass::FromName(GetParam().name);
    ASSERT_NE(pClass, nullptr);
    EXPECT_STREQ(pClass->m_lpszClassName, GetParam().name);
    EXPECT_TRUE(pClass->IsDerivedFrom(GetParam().base));

    std::unique_ptr<CObject> object(pClass->CreateObject());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetRuntimeClass(), pClass);
    EXPECT_TRUE(object->IsKindOf(GetParam().base));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
}

INSTANTIATE_TEST_SUITE_P(Framework, RuntimeClassTest,
                         ::testing::Values(NamedClass{"CLogDoc", RUNTIME_CLASS(CDocument)},
                                           NamedClass{"CLogFrame", RUNTIME_CLASS(CFrameWnd)},
                                           NamedClass{"CLogView", RUNTIME_CLASS(CView)},
                                           NamedClass{"CLogForm", RUNTIME_CLASS(CFormView)},
                                           NamedClass{"CFrameWnd", RUNTIME_CLASS(CWnd)}));

TEST(RuntimeClass, ClassesWithoutDynamicCreationAndUnknownNamesMakeNothing)
{
    EXPECT_EQ(RUNTIME_CLASS(CDocument)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CFormView)->CreateObject(), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_FALSE(RUNTIME_CLASS(CLogDoc)->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(RUNTIME_CLASS(CSingleDocTemplate)->IsDerivedFrom(RUNTIME_CLASS(CDocTemplate)));
}

}  // namespace
