' A script passes its variable by reference to ShowEditFilterDialog: OK hands
' back the text exactly as typed, Cancel and the close box leave it alone.
' Arguments: result file, driver exe.
Option Explicit
On Error Resume Next

Dim fso, sh, out, failures, driver
Set fso = CreateObject("Scripting.FileSystemObject")
Set sh = CreateObject("WScript.Shell")
Set out = fso.CreateTextFile(WScript.Arguments(0), True)
driver = WScript.Arguments(1)
failures = 0

Sub Check(what, passed)
    If passed Then
        out.WriteLine "ok   " & what
    Else
        out.WriteLine "FAIL " & what
        failures = failures + 1
    End If
End Sub

Sub Drive(arguments)
    sh.Run """" & driver & """ " & arguments, 0, False
End Sub

Dim ef, s, r
Set ef = CreateObject("kvexfilt.clsEFfilter")
Check "CreateObject (Err " & Err.Number & ")", Err.Number = 0

Err.Clear
s = "*.htm"
Drive "edit-filter ok "" a*"" 30"
r = ef.ShowEditFilterDialog(s, True)
Check "OK returns True (" & r & ", Err " & Err.Number & ")", Err.Number = 0 And TypeName(r) = "Boolean" And r = True
Check "OK hands back the typed text with its space (""" & s & """)", s = " a*"

Err.Clear
s = "*.htm"
Drive "edit-filter cancel ""changed"" 30"
r = ef.ShowEditFilterDialog(s, False)
Check "Cancel returns False (" & r & ", Err " & Err.Number & ")", Err.Number = 0 And r = False
Check "Cancel leaves the variable (""" & s & """)", s = "*.htm"

Err.Clear
s = "*.txt"
Drive "edit-filter close ""changed"" 30"
r = ef.ShowEditFilterDialog(s, True)
Check "the close box returns False (" & r & ", Err " & Err.Number & ")", Err.Number = 0 And r = False
Check "the close box leaves the variable (""" & s & """)", s = "*.txt"

If failures = 0 Then
    out.WriteLine "PASS"
    out.Close
    WScript.Quit 0
End If
out.WriteLine "FAIL"
out.Close
WScript.Quit 1
