program Beta;

{$APPTYPE CONSOLE}

begin
  Writeln('Beta');
end.
