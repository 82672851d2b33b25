' Run by the 32-bit and by the 64-bit script host while both builds of the DLL
' are registered: each host must reach the copy of its own bitness and get
' both classes from it.
' Arguments: result file, the path of the DLL this host's classes must name.
Option Explicit
On Error Resume Next

Dim fso, sh, out, failures, progId, clsid, server, obj, v
Set fso = CreateObject("Scripting.FileSystemObject")
Set sh = CreateObject("WScript.Shell")
Set out = fso.CreateTextFile(WScript.Arguments(0), True)
failures = 0

Sub Check(what, passed)
    If passed Then
        out.WriteLine "ok   " & what
    Else
        out.WriteLine "FAIL " & what
        failures = failures + 1
    End If
    Err.Clear
End Sub

For Each progId In Array("kvexfilt.clsFMfilter", "kvexfilt.clsEFfilter")
    ' This host's registry view decides which copy COM loads.
    clsid = sh.RegRead("HKCR\" & progId & "\CLSID\")
    server = sh.RegRead("HKCR\CLSID\" & clsid & "\InprocServer32\")
    Check progId & " is served by " & server, LCase(server) = LCase(WScript.Arguments(1))
    Set obj = Nothing
    Set obj = CreateObject(progId)
    Check "  ... CreateObject (Err " & Err.Number & ")", Err.Number = 0 And Not obj Is Nothing
    v = Empty
    v = obj.PlugNameVersion
    Check "  ... PlugNameVersion """ & Replace(v & "", vbTab, "<tab>") & """", v = "kvexfilt" & vbTab & "1.0.0"
Next

If failures = 0 Then
    out.WriteLine "PASS"
    out.Close
    WScript.Quit 0
End If
out.WriteLine "FAIL"
out.Close
WScript.Quit 1
