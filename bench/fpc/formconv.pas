{ Converts every text form file named on the command line to binary and back
  with the classes unit's ObjectTextToBinary and ObjectBinaryToText, PASSES
  times over the files it can read, and prints the seconds each direction
  took, then the indices (from 0) of those files. The streaming benchmark
  compiles and runs this to measure both on the same files. }
program formconv;

{$mode objfpc}{$H+}

uses Classes, SysUtils, DateUtils;

var
  Texts: array of TMemoryStream;
  Bins: array of TMemoryStream;
  Accepted: array of Integer;
  i, n, pass, passes: Integer;
  probe: TMemoryStream;
  text: TMemoryStream;
  outStream: TMemoryStream;
  t0: TDateTime;
  toBinary, toText: Double;
  bytes: Int64;
begin
  passes := StrToInt(ParamStr(1));
  bytes := 0;
  n := 0;
  for i := 2 to ParamCount do
  begin
    text := TMemoryStream.Create;
    text.LoadFromFile(ParamStr(i));
    probe := TMemoryStream.Create;
    try
      ObjectTextToBinary(text, probe);
    except
      probe.Free;
      text.Free;
      continue;
    end;
    probe.Free;
    SetLength(Texts, n + 1);
    SetLength(Bins, n + 1);
    SetLength(Accepted, n + 1);
    Texts[n] := text;
    Bins[n] := TMemoryStream.Create;
    Accepted[n] := i - 2;
    bytes := bytes + text.Size;
    Inc(n);
  end;
  t0 := Now;
  for pass := 1 to passes do
    for i := 0 to High(Texts) do
    begin
      Texts[i].Position := 0;
      Bins[i].Clear;
      ObjectTextToBinary(Texts[i], Bins[i]);
    end;
  toBinary := MilliSecondsBetween(Now, t0) / 1000.0;
  outStream := TMemoryStream.Create;
  t0 := Now;
  for pass := 1 to passes do
    for i := 0 to High(Bins) do
    begin
      Bins[i].Position := 0;
      outStream.Clear;
      ObjectBinaryToText(Bins[i], outStream);
    end;
  toText := MilliSecondsBetween(Now, t0) / 1000.0;
  WriteLn(bytes, ' ', passes, ' ', toBinary:0:6, ' ', toText:0:6);
  for i := 0 to n - 1 do
    Write(Accepted[i], ' ');
  WriteLn;
end.
