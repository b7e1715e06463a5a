// Resource ids of the bundle's stub.
#pragma once

#define IDS_STUB_CAPTION      1
#define IDS_STUB_DAMAGED      2
#define IDS_STUB_FAILED       3
#define IDS_STUB_FIRST_FAULT  4
#define IDS_STUB_UNPACKING    5

#define IDI_STUB              102
