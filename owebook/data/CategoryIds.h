#pragma once
// Category ids besides the record ids of "OwebookCategories".

#include "platform/core/Types.h"

constexpr LONG CATEGORY_ALL = 0;         // selector only: no category filter
constexpr LONG CATEGORY_EDIT = -1;       // selector only: opens the categories editor
constexpr LONG CATEGORY_NONE = -2;       // an item without a category
constexpr LONG CATEGORY_ALL_MONEY = -16; // selector only: items of money categories

// A record id, as opposed to one of the ids above that a lookup must not seek.
inline bool IsRealCategoryId(LONG id)
{
    return id != CATEGORY_ALL && id != CATEGORY_EDIT && id != CATEGORY_NONE;
}
