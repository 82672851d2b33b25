' kvexfilt from VBScript: cscript kvexfilt-sample.vbs [filter folder]
' The 64-bit script host finds the 64-bit DLL, C:\Windows\SysWOW64\cscript.exe
' the 32-bit one; both are registered by the installer.
Option Explicit
Dim fm, ef, folder, text
folder = ""
If WScript.Arguments.Count > 0 Then folder = WScript.Arguments(0)

Set fm = CreateObject("kvexfilt.clsFMfilter")
WScript.Echo Replace(fm.PlugNameVersion, vbTab, " ")
' Empty texts: the default filter "*.htm;*.html" and the Filters folder.
fm.ShowFilterMakerDialog "", folder
WScript.Echo "Filter Maker closed"

Set ef = CreateObject("kvexfilt.clsEFfilter")
text = "*.htm"
If ef.ShowEditFilterDialog(text, True) Then WScript.Echo "edited: " & text
