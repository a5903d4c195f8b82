#pragma once
// Resource ids of the program.

#include "platform/core/Types.h"

// "LONGSTRING" resources: single-byte comma-separated default lists.
constexpr UINT IDR_DEFAULT_CATEGORIES = 166;

// String table.
constexpr UINT IDS_ALL_MONEY = 65009;
constexpr UINT IDS_FIELD_FIRST = 65013;  // headers of the item fields, 65013 + field
constexpr UINT IDS_FIELD_TYPE = 65013;
constexpr UINT IDS_FIELD_CATEGORY = 65014;
constexpr UINT IDS_FIELD_NAME = 65015;
constexpr UINT IDS_FIELD_RETURNED = 65016;
constexpr UINT IDS_FIELD_DUE = 65017;
constexpr UINT IDS_FIELD_AMOUNT = 65018;
constexpr UINT IDS_FIELD_DESCRIPTION = 65019;
constexpr UINT IDS_IOU = 65020;
constexpr UINT IDS_UOME = 65021;
constexpr UINT IDS_NO_CATEGORY = 65023;
constexpr UINT IDS_ALL_CATEGORIES = 65026;
