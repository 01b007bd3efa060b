program Alpha;

{$APPTYPE CONSOLE}

begin
  Writeln('Alpha');
end.
