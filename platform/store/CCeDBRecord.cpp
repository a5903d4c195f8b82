#include "platform/store/CCeDBRecord.h"

CCeDBRecord::CCeDBRecord(const CCeDBRecord& other)
{
    *this = other;
}

CCeDBRecord& CCeDBRecord::operator=(const CCeDBRecord& other)
{
    if (this == &other)
        return *this;
    std::vector<std::unique_ptr<CCeDBProp>> copy;
    copy.reserve(other.m_props.size());
    for (const auto& prop : other.m_props)
        copy.push_back(std::make_unique<CCeDBProp>(*prop));
    m_props = std::move(copy);
    return *this;
}

CCeDBRecord::~CCeDBRecord() = default;

void CCeDBRecord::AddProps(const CCeDBProp* props, WORD count)
{
    if (!props)
        return;
    for (WORD i = 0; i < count; ++i)
        AddProp(props[i]);
}

void CCeDBRecord::AddProp(const CCeDBProp& prop)
{
    m_props.push_back(std::make_unique<CCeDBProp>(prop));
}

BOOL CCeDBRecord::DeleteProp(WORD index)
{
    if (index >= m_props.size())
        return FALSE;
    m_props.erase(m_props.begin() + index);
    return TRUE;
}

BOOL CCeDBRecord::DeletePropFromID(WORD ident)
{
    for (auto it = m_props.begin(); it != m_props.end(); ++it) {
        if ((*it)->GetIdent() == ident) {
            m_props.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

void CCeDBRecord::DeleteAllProps()
{
    m_props.clear();
}

CCeDBProp* CCeDBRecord::GetProp(WORD index)
{
    return index < m_props.size() ? m_props[index].get() : nullptr;
}

const CCeDBProp* CCeDBRecord::GetProp(WORD index) const
{
    return index < m_props.size() ? m_props[index].get() : nullptr;
}

CCeDBProp* CCeDBRecord::GetPropFromID(WORD ident)
{
    return const_cast<CCeDBProp*>(static_cast<const CCeDBRecord*>(this)->GetPropFromID(ident));
}

const CCeDBProp* CCeDBRecord::GetPropFromID(WORD ident) const
{
    for (const auto& prop : m_props)
        if (prop->GetIdent() == ident)
            return prop.get();
    return nullptr;
}

CCeDBProp* CCeDBRecord::GetPropFromPropID(CEPROPID propid)
{
    return const_cast<CCeDBProp*>(static_cast<const CCeDBRecord*>(this)->GetPropFromPropID(propid));
}

const CCeDBProp* CCeDBRecord::GetPropFromPropID(CEPROPID propid) const
{
    for (const auto& prop : m_props)
        if (prop->GetPropID() == propid)
            return prop.get();
    return nullptr;
}
