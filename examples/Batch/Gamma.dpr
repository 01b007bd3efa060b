program Gamma;

{$APPTYPE CONSOLE}

begin
  Writeln('Gamma');
end.
