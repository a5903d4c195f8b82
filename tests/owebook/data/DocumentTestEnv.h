#pragma once
// A ledger test with the document's surroundings: the UI reset between tests
// (message boxes, a pending quit) and helpers to open the document as a start does.

#include "LedgerTestEnv.h"
#include "owebook/data/OwebookDoc.h"
#include "platform/registry/Registry.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/MessageLoop.h"

#include <memory>
#include <vector>

// Counts the version stamp's decisions, doing what the document does.
class CRecordingDoc : public COwebookDoc {
public:
    void WriteVersion() override
    {
        ++m_nWrites;
        COwebookDoc::WriteVersion();
    }
    void OnNewerVersion() override
    {
        ++m_nNewer;
        COwebookDoc::OnNewerVersion();
    }
    int m_nWrites = 0;
    int m_nNewer = 0;
};

class DocumentTest : public LedgerTest {
protected:
    DocumentTest() { platform::testing::ResetUi(); }
    ~DocumentTest() override { platform::MessageLoop::ResetQuit(); }

    // A start of the program: a new document, opened.
    static std::unique_ptr<CRecordingDoc> Start()
    {
        auto doc = std::make_unique<CRecordingDoc>();
        EXPECT_TRUE(doc->OnNewDocument());
        return doc;
    }

    // The program ends; the next Start is a new process's.
    static void End(std::unique_ptr<CRecordingDoc>& doc)
    {
        doc.reset();
        TestDevice::Restart();
    }

    static std::vector<CEOID> ItemIds(COwebookDoc& doc)
    {
        std::vector<CEOID> ids;
        CItemRecord item;
        for (CEOID oid = doc.ReadFirstItem(item); oid != 0; oid = doc.ReadNextItem(item))
            ids.push_back(oid);
        return ids;
    }

    static std::vector<std::string> Names(const COwebookDoc& doc)
    {
        std::vector<std::string> names;
        for (const CString& name : doc.GetNames())
            names.push_back(Utf8(name));
        return names;
    }

    static CItemRecord NewItem(LPCWSTR name, LONG category = -2, SHORT type = ITEM_IOU)
    {
        CItemRecord item;
        item.SetDefaults();
        item.SetName(name);
        item.SetCategory(category);
        item.SetType(type);
        return item;
    }

    static CEOID Add(COwebookDoc& doc, CItemRecord item)
    {
        CEOID oid = 0;
        EXPECT_TRUE(doc.AddItem(item, oid));
        EXPECT_NE(oid, 0u);
        return oid;
    }

    // A DWORD under the version key; false when it is missing.
    static bool VersionValue(LPCWSTR name, DWORD& value)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, VERSION_KEY, 0, 0, &hKey) != ERROR_SUCCESS)
            return false;
        DWORD size = sizeof value;
        LONG status = RegQueryValueExW(hKey, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(hKey);
        return status == ERROR_SUCCESS;
    }

    static void SetVersion(DWORD major, DWORD minor, DWORD bug)
    {
        CRegistryKey key(VERSION_KEY);
        key.SetDword(u"Major", major);
        key.SetDword(u"Minor", minor);
        key.SetDword(u"Bug", bug);
    }
};
