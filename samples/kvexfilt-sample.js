// kvexfilt from JScript: cscript kvexfilt-sample.js [filter folder]
// JScript has no by-reference variables: ShowEditFilterDialog needs a host
// that passes one (VBScript, VBA, C++), so this sample runs the Filter Maker.
var folder = WScript.Arguments.length > 0 ? WScript.Arguments(0) : "";
var fm = new ActiveXObject("kvexfilt.clsFMfilter");
WScript.Echo(fm.PlugNameVersion().replace("\t", " "));
// Empty texts: the default filter "*.htm;*.html" and the Filters folder.
fm.ShowFilterMakerDialog("", folder);
WScript.Echo("Filter Maker closed");
