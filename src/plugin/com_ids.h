#ifndef KVEX_COM_IDS_H
#define KVEX_COM_IDS_H
/* The ids of the type library, its interfaces and classes, fixed for good:
   hosts and registries remember them. Plain macros, read by the IDL compiler
   (kvexfilt.idl) and by C++ (com_table.h), so each id is written once. */
#define KVEX_LIBID "DF9DEE72-8B52-4EF7-860E-79709D2324E7"
#define KVEX_LIB_VERSION 3.1
#define KVEX_LIB_VERSION_TEXT "3.1"
#define KVEX_LIB_HELPSTRING "kvex filter maker dialog"
#define KVEX_IID_FM "29250478-A8A5-4F60-A206-2C3C14AD20B7"
#define KVEX_IID_EF "1A947D82-9A0A-40EE-A9CC-5404DFDADB7F"
#define KVEX_CLSID_FM "BF42FDF8-5871-4AB6-ACCE-1548B13BBAC0"
#define KVEX_CLSID_EF "89F5D1DB-1D45-4DF5-9A30-87124AC2F879"
#endif
