@echo off
rem SPDX-License-Identifier: MIT
rem SPDX-FileCopyrightText: 2026 The nybblex developers
rem
rem convert-all FOLDER
rem Unpacks every .bin file of FOLDER into a .nib file beside it, names with blanks
rem included, and tells for each file whether it was converted, or which of its two
rem files was at fault. Ends with status 1 if any file failed, 0 otherwise.
rem It runs the nybblex.exe beside it, or else the one on the PATH.
setlocal
if "%~1"=="" (
    echo Usage: convert-all FOLDER
    exit /b 4
)
if not exist "%~1\" (
    echo convert-all: there is no folder %~1
    exit /b 4
)
set "nybblex=%~dp0nybblex.exe"
if not exist "%nybblex%" set "nybblex=nybblex.exe"
set failed=0
pushd "%~1"
for %%f in (*.bin) do call :convert "%%~ff" "%%~dpnf.nib"
popd
exit /b %failed%

rem nybblex's statuses: 4 wrong use, 2 the destination, 1 the source, 0 converted.
rem "if errorlevel N" means N or more, so they are tested from the highest down.
:convert
"%nybblex%" "%~1" "%~2"
if errorlevel 4 (
    echo %~nx1: not converted, nybblex was called wrongly
    set failed=1
) else if errorlevel 2 (
    echo %~nx1: not converted, the destination %~nx2 cannot be written
    set failed=1
) else if errorlevel 1 (
    echo %~nx1: not converted, the source cannot be read
    set failed=1
) else (
    echo %~nx1: converted into %~nx2
)
exit /b
