#pragma once
// Resource ids the forms and the type library loader rely on.

#define IDI_KVEXFILT 101     // the component's icon; also the extension part's
#define IDI_KVEXPLUG 102     // the file-pattern part's icon
#define IDC_KVEXHAND 101     // pointing hand over the edit pictures
#define IDR_TYPELIB 1
