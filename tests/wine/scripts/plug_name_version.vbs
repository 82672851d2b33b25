' Both classes report their name and version to a script host.
' Arguments: result file. Wine's cscript ends with 0 even on a script error,
' so every step is checked here and the verdict written to the result file.
Option Explicit
On Error Resume Next

Dim fso, out, failures
Set fso = CreateObject("Scripting.FileSystemObject")
Set out = fso.CreateTextFile(WScript.Arguments(0), True)
failures = 0

Sub Check(what, passed)
    If passed Then
        out.WriteLine "ok   " & what
    Else
        out.WriteLine "FAIL " & what
        failures = failures + 1
    End If
End Sub

Dim progId, obj, v
For Each progId In Array("kvexfilt.clsFMfilter", "kvexfilt.clsEFfilter")
    Err.Clear
    Set obj = Nothing
    Set obj = CreateObject(progId)
    Check "CreateObject(""" & progId & """) (Err " & Err.Number & ")", Err.Number = 0
    Err.Clear
    v = Empty
    v = obj.PlugNameVersion
    Check progId & ".PlugNameVersion is the String """ & Replace(v & "", vbTab, "<tab>") & """ (Err " & Err.Number & ")", _
          Err.Number = 0 And TypeName(v) = "String" And v = "kvexfilt" & vbTab & "1.0.0"
Next

If failures = 0 Then
    out.WriteLine "PASS"
    out.Close
    WScript.Quit 0
End If
out.WriteLine "FAIL"
out.Close
WScript.Quit 1
