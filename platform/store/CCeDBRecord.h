#pragma once
// A record object: property objects in a fixed order. Reading a stored
// record fills the properties held here from the stored ones with the same
// identifier and type; writing stores the properties that have a value.

#include "platform/store/CCeDBProp.h"

#include <memory>
#include <vector>

class CCeDBRecord {
public:
    CCeDBRecord() = default;
    CCeDBRecord(const CCeDBRecord& other);
    CCeDBRecord& operator=(const CCeDBRecord& other);
    virtual ~CCeDBRecord();

    // The record keeps copies, after the properties it already holds; change
    // values through the pointers the lookups below return. Those stay
    // valid until their property is deleted.
    void AddProps(const CCeDBProp* props, WORD count);
    void AddProp(const CCeDBProp& prop);
    BOOL DeleteProp(WORD index);
    BOOL DeletePropFromID(WORD ident);
    void DeleteAllProps();

    WORD GetNumProps() const { return static_cast<WORD>(m_props.size()); }
    CCeDBProp* operator[](WORD index) { return GetProp(index); }
    const CCeDBProp* operator[](WORD index) const { return GetProp(index); }
    CCeDBProp* GetProp(WORD index);
    const CCeDBProp* GetProp(WORD index) const;

    // The first property with that identifier (any type), or null.
    CCeDBProp* GetPropFromID(WORD ident);
    const CCeDBProp* GetPropFromID(WORD ident) const;
    CCeDBProp* GetPropFromIdent(WORD ident) { return GetPropFromID(ident); }
    // The first property with that identifier and type, or null.
    CCeDBProp* GetPropFromPropID(CEPROPID propid);
    const CCeDBProp* GetPropFromPropID(CEPROPID propid) const;

private:
    std::vector<std::unique_ptr<CCeDBProp>> m_props;
};
